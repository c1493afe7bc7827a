// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/swing_analysis.h"

#include "model/constants.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

int sign_of(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

// A characteristic the labels show as a number: Ts, Θ and Q only while the
// damping leaves an oscillation (W0 > delta), Q only with some loss.
std::optional<double> shown(double value, bool defined)
{
    if (!defined || !std::isfinite(value))
        return std::nullopt;
    return value;
}

Comparison compare(const char* symbol, const char* unit, std::optional<double> measured, std::optional<double> theory)
{
    Comparison c{symbol, unit, measured, theory, std::nullopt};
    if (measured && theory && *theory != 0)
        c.difference_percent = (*measured - *theory) / std::abs(*theory) * 100;
    return c;
}

} // namespace

void SwingAnalysis::LineFit::add(double t, double y)
{
    n += 1;
    const double dt = t - mean_t;
    const double dy = y - mean_y;
    mean_t += dt / n;
    mean_y += dy / n;
    m_tt += dt * (t - mean_t);
    m_ty += dt * (y - mean_y);
}

void SwingAnalysis::update(const RunRecord& record)
{
    if (record.run_number() != run_number_ || record.size() < next_)
        reset(record);
    for (std::size_t j = next_; j < record.size(); ++j)
        read(record, j);
    next_ = record.size();
}

void SwingAnalysis::reset(const RunRecord& record)
{
    *this = SwingAnalysis();
    run_number_ = record.run_number();
    c_ = record.characteristics();
    // A lighter body stands upright: its restoring moment has the other sign.
    equilibrium_ = c_.W02 < 0 ? 180 : 0;
}

double SwingAnalysis::nearest_equilibrium(double fi) const
{
    return equilibrium_ + 360 * std::round((fi - equilibrium_) / 360);
}

void SwingAnalysis::read(const RunRecord& r, std::size_t j)
{
    const RunRow row = r.row(j);
    if (j == 0) {
        fi_min_ = fi_max_ = row.fi_deg;
        wz_min_ = wz_max_ = row.wz;
    } else {
        fi_min_ = std::min(fi_min_, row.fi_deg);
        fi_max_ = std::max(fi_max_, row.fi_deg);
        wz_min_ = std::min(wz_min_, row.wz);
        wz_max_ = std::max(wz_max_, row.wz);
    }
    follow_deviation(row.t, row.fi_deg);

    if (pending_) {
        const std::size_t last_needed = std::max<std::size_t>(pending_->centre + 1, 2);
        if (j >= last_needed) {
            const Pending p = *pending_;
            pending_.reset();
            resolve(r, p);
        }
    }

    const int s = sign_of(row.wz);
    if (s == 0)
        return;
    if (last_sign_ != 0 && s != last_sign_) {
        // The extreme step between the last step of the old sign and this
        // one (more than two steps apart when the velocity stood at zero).
        const bool maximum = last_sign_ > 0;
        std::size_t centre = last_sign_index_;
        for (std::size_t k = last_sign_index_ + 1; k <= j; ++k) {
            const double fi = r.value(k, RunColumn::fi_deg);
            const double best = r.value(centre, RunColumn::fi_deg);
            if (maximum ? fi > best : fi < best)
                centre = k;
        }
        pending_ = Pending{centre, maximum};
        if (j >= std::max<std::size_t>(centre + 1, 2)) {
            pending_.reset();
            resolve(r, {centre, maximum});
        }
    }
    last_sign_ = s;
    last_sign_index_ = j;
}

void SwingAnalysis::resolve(const RunRecord& r, const Pending& p)
{
    // The parabola through three steps around the extreme one (the first
    // three when the extreme is the first step), in divided differences.
    const std::size_t a = p.centre == 0 ? 0 : p.centre - 1;
    const double t0 = r.t(a), t1 = r.t(a + 1), t2 = r.t(a + 2);
    const double y0 = r.value(a, RunColumn::fi_deg);
    const double y1 = r.value(a + 1, RunColumn::fi_deg);
    const double y2 = r.value(a + 2, RunColumn::fi_deg);
    const double f01 = (y1 - y0) / (t1 - t0);
    const double f12 = (y2 - y1) / (t2 - t1);
    const double curvature = (f12 - f01) / (t2 - t0);
    double t = r.t(p.centre);
    double fi = r.value(p.centre, RunColumn::fi_deg);
    // Only a parabola that opens the right way has the extreme as its vertex.
    if (std::isfinite(curvature) && (p.maximum ? curvature < 0 : curvature > 0)) {
        const double tv = std::clamp((t0 + t1) / 2 - f01 / (2 * curvature), t0, t2);
        t = tv;
        fi = y0 + f01 * (tv - t0) + curvature * (tv - t0) * (tv - t1);
    }
    add_turning_point(t, fi);
}

void SwingAnalysis::add_turning_point(double t, double fi)
{
    TurningPoint tp;
    tp.t = t;
    tp.fi_deg = fi;
    tp.equilibrium = nearest_equilibrium(fi);
    tp.amplitude = fi - tp.equilibrium;
    const double a = std::abs(tp.amplitude);
    if (points_.size() >= 2) {
        const TurningPoint& before = points_[points_.size() - 2];
        tp.period = t - before.t;
        period_sum_ += *tp.period;
        ++period_count_;
        const double b = std::abs(before.amplitude);
        if (a > 0 && b > 0) {
            tp.ratio = b / a;
            tp.log_decrement = std::log(*tp.ratio);
            decrement_sum_ += *tp.log_decrement;
            ++decrement_count_;
        }
    }
    if (a > 0)
        fit_.add(t, std::log(a));
    points_.push_back(tp);
}

void SwingAnalysis::follow_deviation(double t, double fi)
{
    // Going over the top puts the body in the next well: its decay is
    // followed from there on.
    const double well = nearest_equilibrium(fi);
    if (well_ && *well_ != well) {
        over_the_top_ = true;
        peak_ = 0;
        fall_t_.reset();
    }
    well_ = well;
    const double d = std::abs(fi - well);
    if (d > peak_) {
        peak_ = d;
        peak_t_ = t;
        fall_t_.reset();
    } else if (!fall_t_ && d <= peak_ / std::exp(1.0)) {
        // Linear between the step before and this one.
        const double target = peak_ / std::exp(1.0);
        const double span = last_deviation_ - d;
        fall_t_ = span > 0 ? last_t_ + (t - last_t_) * (last_deviation_ - target) / span : t;
    }
    last_t_ = t;
    last_deviation_ = d;
}

std::optional<double> SwingAnalysis::mean_period() const
{
    if (period_count_ == 0)
        return std::nullopt;
    return period_sum_ / static_cast<double>(period_count_);
}

std::optional<double> SwingAnalysis::mean_log_decrement() const
{
    if (decrement_count_ == 0)
        return std::nullopt;
    return decrement_sum_ / static_cast<double>(decrement_count_);
}

std::optional<double> SwingAnalysis::quality() const
{
    const std::optional<double> teta = mean_log_decrement();
    if (!teta || !(*teta > 0))
        return std::nullopt;
    return pi / *teta;
}

std::optional<AmplitudeFit> SwingAnalysis::amplitude_fit() const
{
    if (fit_.n < 2 || !(fit_.m_tt > 0))
        return std::nullopt;
    const double slope = fit_.m_ty / fit_.m_tt;
    return AmplitudeFit{-slope, fit_.mean_y - slope * fit_.mean_t};
}

std::optional<double> SwingAnalysis::e_fold_time() const
{
    if (!fall_t_)
        return std::nullopt;
    return *fall_t_ - peak_t_;
}

std::vector<Comparison> SwingAnalysis::comparisons() const
{
    const bool oscillates = c_.W0 > c_.delta;
    const std::optional<double> T = mean_period();
    const std::optional<double> fit_delta =
        amplitude_fit() ? std::optional<double>(amplitude_fit()->delta) : std::nullopt;
    return {
        compare("Ts", "c", T, shown(c_.Ts, oscillates)),
        compare("To", "c", T, shown(c_.T0, true)),
        compare("Θ", "", mean_log_decrement(), shown(c_.Teta, oscillates)),
        compare("Q", "", quality(), shown(c_.dobrot, oscillates && c_.Teta != 0)),
        compare("δ", "рад/c", fit_delta, shown(c_.delta, true)),
    };
}

} // namespace vp
