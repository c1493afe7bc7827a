// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "analysis/swing_theory.h"
#include "analysis/two_drag_fit.h"
#include "model/characteristics.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace vp {

// A turning point of the angle: where the angular velocity changes sign.
struct TurningPoint {
    double t = 0;           // s, at the vertex of the parabola through three steps
    double fi_deg = 0;      // the angle there, degrees, as the angle reads
    double equilibrium = 0; // the equilibrium it swings about: 0 or 180 plus whole turns
    double amplitude = 0;   // fi_deg - equilibrium: positive on the side of growing angle
    // Against the previous turning point on the same side (two back), within
    // one part of the run:
    std::optional<double> period;        // s
    std::optional<double> ratio;         // |amplitude| there over |amplitude| here
    std::optional<double> log_decrement; // ln(ratio), the measured decrement
    // The period and Θ the theory gives for that swing at its own amplitudes.
    SwingTheory theory;
};

// The physics changed (a parameter file loaded during a pause): from time t
// on, the turning points from first_point on belong to the new part.
struct PhysicsChange {
    double t = 0;
    std::size_t first_point = 0;
};

// How a measured value reads.
enum class Reading {
    number,       // as it is
    within_noise, // below the run's own numerical noise: "≈ 0 (в пределах погрешности расчёта)"
    unresolved, // a drag the fit cannot tell from noise: "не разрешается"
    above,      // a bound: the quality factor of a decrement within the noise
};

// A measured quantity beside the characteristic it is compared with, and
// beside the theory of the run's own amplitudes and drags.
// The differences are (measured - theory) / |theory|, in per cent.
struct Comparison {
    const char* symbol = ""; // the quantity's symbol: "Ts", "To", "Θ", "Q", "δ", "κ"
    const char* unit = "";   // its unit, as its label shows it ("" for a number)
    std::optional<double> measured;
    std::optional<double> error; // the standard error of the measured value
    Reading reading = Reading::number;
    std::optional<double> theory; // the characteristic
    std::optional<double> difference_percent;
    std::optional<double> swing_theory; // "теория (A, v²)": the mean of the swings' theory
    std::optional<double> swing_difference_percent;
};

// ln|amplitude| = ln_amplitude_at_zero - delta * t, by least squares over the
// turning points.
struct AmplitudeFit {
    double delta = 0;                // 1/s
    double ln_amplitude_at_zero = 0; // ln of degrees
};

// How the last part of a run stands at its end, for the words the window uses.
enum class SwingEnd {
    swings,          // turning points, and no more missing than the run's length explains
    none_yet,        // none so far, the run goes on
    aperiodic,       // none, and the damping leaves no oscillation (delta >= W0)
    none_before_end, // none, though the body oscillates: the run ended first
    none_after_last, // none for more than a period after the last: the swings are lost in the noise
};

// The swings of a kept run, read step by step as the run grows.
//
// The equilibrium is 0 degrees for a body heavier than the medium and 180 for
// a lighter one (the sign of W02). The angle is not wrapped: a body that goes
// over the top adds a whole turn each time. Turns over the top have no
// turning point, so they make no swing; every turning point is measured from
// the equilibrium nearest to it, which is the bottom of the well the body is
// swinging in (a turning point is always within half a turn of it).
//
// A run whose physics changed is analysed part by part, each against its
// own characteristics; the means, the fits and the comparisons are those of
// the last part. Nothing is shared between analyses: each may be used on a
// thread of its own.
class SwingAnalysis {
public:
    // Reads the steps the analysis has not read yet; a record that holds
    // another run than last time is read from its start.
    void update(const RunRecord& record);

    // 0 or 180, degrees (of the last part).
    double equilibrium() const { return equilibrium_; }
    const std::vector<TurningPoint>& turning_points() const { return points_; }
    const std::vector<PhysicsChange>& changes() const { return changes_; }
    // The first turning point of the last part.
    std::size_t part_first_point() const { return part_first_point_; }
    std::size_t steps_read() const { return next_; }
    // The characteristics of the last part.
    const Characteristics& characteristics() const { return c_; }

    std::optional<double> mean_period() const;         // s
    std::optional<double> mean_log_decrement() const;  // the measured Θ
    std::optional<double> quality() const;             // pi / Θ
    std::optional<AmplitudeFit> amplitude_fit() const; // needs two turning points
    std::optional<TwoDragResult> two_drag_fit() const { return drags_.result(); }
    // The amplitude (degrees) the two-drag fit gives from the first turning
    // point of the last part to its last one, at `points` times; a drag that
    // is not resolved counts as none. Empty without a fit.
    std::vector<std::pair<double, double>> two_drag_curve(std::size_t points) const;
    // The measured Θ is below the scatter of the swings about their theory:
    // what it measures is the computation's error, not a damping.
    bool decrement_within_noise() const;

    // The last part has no turning point.
    bool aperiodic() const { return points_.size() == part_first_point_; }
    SwingEnd swing_end(bool run_ended) const;
    // The last swing is below a millionth of the first of its part.
    bool died_out() const;
    // Without turning points: the time in which the deviation from the
    // equilibrium falls from its largest value (the starting state counts)
    // to 1/e of it; nothing while it has not fallen that far.
    std::optional<double> e_fold_time() const;
    // The body has gone over the top at least once.
    bool went_over_the_top() const { return over_the_top_; }
    // The model time of the last step read, s.
    double last_t() const { return last_t_; }

    // The measured period, Θ, Q, δ and the two drags beside Ts, To, Θ, Q, δ,
    // δ and fi_2_x of the characteristics, in this order.
    std::vector<Comparison> comparisons() const;

    // The ranges of the angle (degrees) and of the angular velocity read.
    double fi_min() const { return fi_min_; }
    double fi_max() const { return fi_max_; }
    double wz_min() const { return wz_min_; }
    double wz_max() const { return wz_max_; }

private:
    struct Pending {
        std::size_t centre = 0;
        bool maximum = false;
    };
    // Running mean and co-moments of (t, ln|A|): stable for long runs.
    struct LineFit {
        double n = 0, mean_t = 0, mean_y = 0, m_tt = 0, m_ty = 0;
        void add(double t, double y);
    };
    // Running mean and second moment.
    struct Spread {
        double n = 0, mean = 0, m2 = 0;
        void add(double v);
    };

    void reset(const RunRecord& record);
    void begin_part(const RunPart& part, std::size_t index);
    void read(const RunRecord& r, std::size_t j);
    void resolve(const RunRecord& r, const Pending& p);
    void add_turning_point(double t, double fi);
    void measure_half_swing(const TurningPoint& from, const TurningPoint& to);
    void measure_swing(TurningPoint& tp);
    double decrement_noise() const;
    void follow_deviation(double t, double fi);
    double nearest_equilibrium(double fi) const;

    std::uint64_t run_number_ = 0;
    Characteristics c_;
    double equilibrium_ = 0;
    std::size_t next_ = 0;
    std::size_t part_ = 0;
    int last_sign_ = 0;
    std::size_t last_sign_index_ = 0;
    std::optional<Pending> pending_;
    std::vector<TurningPoint> points_;
    std::vector<PhysicsChange> changes_;

    // Of the last part.
    std::size_t part_first_point_ = 0;
    double period_sum_ = 0;
    std::size_t period_count_ = 0;
    double decrement_sum_ = 0;
    std::size_t decrement_count_ = 0;
    // Over the swings that have a theory: its sums and the measured ones.
    double theory_period_sum_ = 0;
    double theory_decrement_sum_ = 0;
    double measured_period_sum_ = 0;
    double measured_decrement_sum_ = 0;
    std::size_t theory_count_ = 0;
    // The measured Θ less the theory's, swing by swing.
    Spread decrement_noise_;
    // The largest error of the energy balance over the energy the part began with.
    double residual_share_ = 0;
    LineFit fit_;
    TwoDragFit drags_;

    // The deviation from the bottom of the current well, in the last part.
    std::optional<double> well_;
    bool over_the_top_ = false;
    double peak_ = 0;
    double peak_t_ = 0;
    std::optional<double> fall_t_;
    double last_t_ = 0;
    double last_deviation_ = 0;

    double fi_min_ = 0, fi_max_ = 0, wz_min_ = 0, wz_max_ = 0;
};

} // namespace vp
