// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/swing_analysis.h"

#include "model/constants.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// The largest loss of ln A in a half swing the two-drag fit takes.
constexpr double max_fitted_decrement = 0.2;

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

// (measured - theory) / |theory|, per cent.
std::optional<double> percent_off(std::optional<double> measured, std::optional<double> theory)
{
    if (!measured || !theory || *theory == 0)
        return std::nullopt;
    return (*measured - *theory) / std::abs(*theory) * 100;
}

Comparison compare(const char* symbol, const char* unit, std::optional<double> measured, std::optional<double> theory)
{
    Comparison c;
    c.symbol = symbol;
    c.unit = unit;
    c.measured = measured;
    c.theory = theory;
    c.difference_percent = percent_off(measured, theory);
    return c;
}

// The column "теория (A, v²)" beside it, compared with the measured mean of
// the same swings.
void beside_swing_theory(Comparison& c, std::optional<double> measured, std::optional<double> theory)
{
    c.swing_theory = theory;
    c.swing_difference_percent = percent_off(measured, theory);
}

// A value the reading makes no number of has no difference either.
void read_as(Comparison& c, Reading reading)
{
    c.reading = reading;
    if (reading != Reading::number)
        c.difference_percent = c.swing_difference_percent = std::nullopt;
}

Comparison compare_drag(const char* symbol, const char* unit, const std::optional<TwoDragResult>& fit,
                        DragEstimate TwoDragResult::*drag, double theory)
{
    if (!fit)
        return compare(symbol, unit, std::nullopt, theory);
    const DragEstimate& d = (*fit).*drag;
    Comparison c = compare(symbol, unit, d.value, theory);
    c.error = d.error;
    if (!d.resolved)
        read_as(c, Reading::unresolved);
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

void SwingAnalysis::Spread::add(double v)
{
    n += 1;
    const double d = v - mean;
    mean += d / n;
    m2 += d * (v - mean);
}

void SwingAnalysis::update(const RunRecord& record)
{
    if (record.run_number() != run_number_ || record.size() < next_)
        reset(record);
    for (std::size_t j = next_; j < record.size(); ++j)
        read(record, j);
    next_ = record.size();
    const RunPart& last = record.parts().back();
    residual_share_ = last.available > 0 ? last.largest_residual / last.available : 0;
}

void SwingAnalysis::reset(const RunRecord& record)
{
    *this = SwingAnalysis();
    run_number_ = record.run_number();
    begin_part(record.parts().front(), 0);
}

void SwingAnalysis::begin_part(const RunPart& part, std::size_t index)
{
    part_ = index;
    c_ = part.c;
    // A lighter body stands upright: its restoring moment has the other sign.
    equilibrium_ = c_.W02 < 0 ? 180 : 0;
    if (index > 0)
        changes_.push_back({part.start.t, points_.size()});
    // A swing of one physics measured against another would be no measurement.
    part_first_point_ = points_.size();
    period_sum_ = decrement_sum_ = theory_period_sum_ = theory_decrement_sum_ = 0;
    measured_period_sum_ = measured_decrement_sum_ = 0;
    period_count_ = decrement_count_ = theory_count_ = 0;
    decrement_noise_ = {};
    fit_ = {};
    drags_ = {};
    // The deviation falls from where the part begins, the starting state
    // included: a body released from rest is at its largest deviation there.
    well_.reset();
    peak_ = 0;
    fall_t_.reset();
    last_t_ = part.start.t;
    last_deviation_ = 0;
    follow_deviation(part.start.t, part.start.fi_deg);
}

double SwingAnalysis::nearest_equilibrium(double fi) const
{
    return equilibrium_ + 360 * std::round((fi - equilibrium_) / 360);
}

void SwingAnalysis::read(const RunRecord& r, std::size_t j)
{
    if (part_ + 1 < r.parts().size() && r.parts()[part_ + 1].first_step == j) {
        // A turning point at the end of the old part is found with the old one.
        if (pending_ && j >= std::max<std::size_t>(pending_->centre + 1, 2))
            resolve(r, *pending_);
        pending_.reset();
        begin_part(r.parts()[part_ + 1], part_ + 1);
    }
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
    const std::size_t in_part = points_.size() - part_first_point_;
    if (in_part >= 1)
        measure_half_swing(points_.back(), tp);
    if (in_part >= 2)
        measure_swing(tp);
    if (std::abs(tp.amplitude) > 0)
        fit_.add(t, std::log(std::abs(tp.amplitude)));
    points_.push_back(tp);
}

void SwingAnalysis::measure_half_swing(const TurningPoint& from, const TurningPoint& to)
{
    const double a = std::abs(from.amplitude) * k_grad_rad;
    const double b = std::abs(to.amplitude) * k_grad_rad;
    if (!(a > 0 && b > 0 && a < pi && b < pi) || from.equilibrium != to.equilibrium)
        return;
    // The balance is of first order in the loss: a half swing that loses more
    // than 0.2 of ln A is off by some tenths of a per cent, growing as the
    // square of the loss, which would swamp the weaker drag.
    const double decrement = std::log(a / b);
    if (decrement > max_fitted_decrement)
        return;
    // The damping's lengthening: the measured time over the undamped one.
    const double m = half_swing_amplitude(a, b);
    const HalfSwingLoss loss = half_swing_loss(c_.W0, m);
    const double stretch = (to.t - from.t) / (pendulum_period(c_.T0, m) / 2);
    if (std::isfinite(loss.linear * stretch) && std::isfinite(loss.quadratic * stretch))
        drags_.add(decrement, loss.linear * stretch, loss.quadratic * stretch);
}

void SwingAnalysis::measure_swing(TurningPoint& tp)
{
    const TurningPoint& before = points_[points_.size() - 2];
    const TurningPoint& middle = points_.back();
    tp.period = tp.t - before.t;
    period_sum_ += *tp.period;
    ++period_count_;
    const double a = std::abs(tp.amplitude);
    const double b = std::abs(before.amplitude);
    if (a > 0 && b > 0) {
        tp.ratio = b / a;
        tp.log_decrement = std::log(*tp.ratio);
        decrement_sum_ += *tp.log_decrement;
        ++decrement_count_;
    }
    if (before.equilibrium != tp.equilibrium || middle.equilibrium != tp.equilibrium) {
        tp.theory.note = SwingTheoryNote::over_the_top;
        return;
    }
    tp.theory =
        swing_theory(c_, before.amplitude * k_grad_rad, middle.amplitude * k_grad_rad, tp.amplitude * k_grad_rad);
    if (!tp.theory.period || !tp.log_decrement)
        return;
    theory_period_sum_ += *tp.theory.period;
    theory_decrement_sum_ += *tp.theory.log_decrement;
    measured_period_sum_ += *tp.period;
    measured_decrement_sum_ += *tp.log_decrement;
    ++theory_count_;
    decrement_noise_.add(*tp.log_decrement - *tp.theory.log_decrement);
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

double SwingAnalysis::decrement_noise() const
{
    if (decrement_noise_.n < 2)
        return 0;
    // Twice the standard error of the swings' mean scatter about their
    // theory, or the drift the energy balance's error allows: with a
    // relative error e of the energy, ln A moves by about e/2 over the part
    // (as much again is seen in long runs: the largest residual is not the
    // whole drift), so up to e/n a swing; twice that, as for the scatter.
    const double scatter = 2 * std::sqrt(decrement_noise_.m2 / (decrement_noise_.n - 1) / decrement_noise_.n);
    const double drift = 2 * residual_share_ / static_cast<double>(decrement_count_);
    return std::max(scatter, drift);
}

bool SwingAnalysis::decrement_within_noise() const
{
    const std::optional<double> teta = mean_log_decrement();
    return teta && std::abs(*teta) < decrement_noise();
}

SwingEnd SwingAnalysis::swing_end(bool run_ended) const
{
    const bool oscillates = c_.W0 > c_.delta;
    if (aperiodic()) {
        if (!run_ended)
            return SwingEnd::none_yet;
        return oscillates ? SwingEnd::none_before_end : SwingEnd::aperiodic;
    }
    if (run_ended) {
        const double expected = mean_period().value_or(oscillates ? c_.Ts : c_.T0);
        if (last_t_ - points_.back().t > expected)
            return SwingEnd::none_after_last;
    }
    return SwingEnd::swings;
}

bool SwingAnalysis::died_out() const
{
    if (aperiodic())
        return false;
    return std::abs(points_.back().amplitude) < 1e-6 * std::abs(points_[part_first_point_].amplitude);
}

std::vector<std::pair<double, double>> SwingAnalysis::two_drag_curve(std::size_t points) const
{
    const std::optional<TwoDragResult> fit = two_drag_fit();
    if (!fit || points < 2 || points_.size() < part_first_point_ + 2)
        return {};
    const double delta = fit->delta.resolved ? fit->delta.value : 0;
    const double kappa = fit->kappa.resolved ? fit->kappa.value : 0;
    const double t0 = points_[part_first_point_].t;
    const double h = (points_.back().t - t0) / static_cast<double>(points - 1);
    // ln A against t by the classical Runge-Kutta method on the decay rate.
    const auto rate = [&](double ln_a) { return -decay_rate(c_, delta, kappa, std::exp(ln_a)); };
    double y = std::log(std::abs(points_[part_first_point_].amplitude) * k_grad_rad);
    std::vector<std::pair<double, double>> curve;
    curve.reserve(points);
    for (std::size_t i = 0; i < points; ++i) {
        curve.emplace_back(t0 + static_cast<double>(i) * h, std::exp(y) / k_grad_rad);
        const double k1 = rate(y), k2 = rate(y + h / 2 * k1), k3 = rate(y + h / 2 * k2), k4 = rate(y + h * k3);
        y += h / 6 * (k1 + 2 * k2 + 2 * k3 + k4);
        if (!std::isfinite(y))
            break;
    }
    return curve;
}

std::vector<Comparison> SwingAnalysis::comparisons() const
{
    const bool oscillates = c_.W0 > c_.delta;
    const std::optional<double> T = mean_period();
    const std::optional<double> fit_delta =
        amplitude_fit() ? std::optional<double>(amplitude_fit()->delta) : std::nullopt;
    std::optional<double> T_theory, teta_theory, Q_theory, T_same, teta_same, Q_same;
    if (theory_count_ > 0) {
        const auto n = static_cast<double>(theory_count_);
        T_theory = theory_period_sum_ / n;
        teta_theory = theory_decrement_sum_ / n;
        T_same = measured_period_sum_ / n;
        teta_same = measured_decrement_sum_ / n;
        if (*teta_theory > 0)
            Q_theory = pi / *teta_theory;
        if (*teta_same > 0)
            Q_same = pi / *teta_same;
    }
    std::vector<Comparison> rows = {
        compare("Ts", "c", T, shown(c_.Ts, oscillates)),
        compare("To", "c", T, shown(c_.T0, true)),
        compare("Θ", "", mean_log_decrement(), shown(c_.Teta, oscillates)),
        compare("Q", "", quality(), shown(c_.dobrot, oscillates && c_.Teta != 0)),
        compare("δ", "рад/c", fit_delta, shown(c_.delta, true)),
        compare_drag("δ (две силы)", "рад/c", two_drag_fit(), &TwoDragResult::delta, c_.delta),
        compare_drag("κ (две силы)", "1/рад", two_drag_fit(), &TwoDragResult::kappa, c_.fi_2_x),
    };
    beside_swing_theory(rows[0], T_same, T_theory);
    beside_swing_theory(rows[2], teta_same, teta_theory);
    beside_swing_theory(rows[3], Q_same, Q_theory);
    if (decrement_within_noise()) {
        read_as(rows[2], Reading::within_noise);
        read_as(rows[4], Reading::within_noise);
        // Θ is below its noise: Q is above pi over the noise.
        read_as(rows[3], Reading::above);
        rows[3].measured = pi / decrement_noise();
    }
    return rows;
}

} // namespace vp
