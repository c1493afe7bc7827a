// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/two_drag_fit.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// The least share of the whole decrement a drag must take to be told from
// the balance's own error.
constexpr double least_share = 0.01;

// `sum_x` the sum of the drag's regressor, `sum_y` of the decrements.
DragEstimate estimate(double value, double variance, double sum_x, double sum_y)
{
    const double error = std::sqrt(std::max(variance, 0.0));
    const bool above_noise = std::abs(value) >= 2 * error;
    return {value, error, above_noise && std::abs(value * sum_x) >= least_share * std::abs(sum_y)};
}

// y = b x alone: b = sum(xy)/sum(xx), its variance s^2/sum(xx).
DragEstimate alone(double xy, double xx, double yy, double n, double sum_x, double sum_y)
{
    const double b = xy / xx;
    return estimate(b, (yy - b * xy) / (n - 1) / xx, sum_x, sum_y);
}

} // namespace

void TwoDragFit::add(double decrement, double linear, double quadratic)
{
    n_ += 1;
    ll_ += linear * linear;
    lq_ += linear * quadratic;
    qq_ += quadratic * quadratic;
    ly_ += linear * decrement;
    qy_ += quadratic * decrement;
    yy_ += decrement * decrement;
    l_ += linear;
    q_ += quadratic;
    y_ += decrement;
}

std::optional<TwoDragResult> TwoDragFit::result() const
{
    // The normal equations of y = delta l + kappa q; the covariance is
    // s^2 (X'X)^-1 with s^2 = (yy - delta ly - kappa qy) / (n - 2).
    const double det = ll_ * qq_ - lq_ * lq_;
    if (n_ < 3 || !(ll_ > 0 && qq_ > 0))
        return std::nullopt;
    // All at one amplitude (a vacuum): the two drags cannot be told apart.
    if (!(det > 1e-12 * ll_ * qq_))
        return TwoDragResult{};
    const double delta = (qq_ * ly_ - lq_ * qy_) / det;
    const double kappa = (ll_ * qy_ - lq_ * ly_) / det;
    const double s2 = (yy_ - delta * ly_ - kappa * qy_) / (n_ - 2);
    TwoDragResult r{estimate(delta, s2 * qq_ / det, l_, y_), estimate(kappa, s2 * ll_ / det, q_, y_)};
    // One drag lost in the noise: the other measured alone, without the
    // uncertainty the first would lend it.
    if (r.kappa.resolved && !r.delta.resolved)
        r.kappa = alone(qy_, qq_, yy_, n_, q_, y_);
    else if (r.delta.resolved && !r.kappa.resolved)
        r.delta = alone(ly_, ll_, yy_, n_, l_, y_);
    return r;
}

} // namespace vp
