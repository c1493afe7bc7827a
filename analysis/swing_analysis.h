// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "model/characteristics.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace vp {

// A turning point of the angle: where the angular velocity changes sign.
struct TurningPoint {
    double t = 0;           // s, at the vertex of the parabola through three steps
    double fi_deg = 0;      // the angle there, degrees, as the angle reads
    double equilibrium = 0; // the equilibrium it swings about: 0 or 180 plus whole turns
    double amplitude = 0;   // fi_deg - equilibrium: positive on the side of growing angle
    // Against the previous turning point on the same side (two back):
    std::optional<double> period;        // s
    std::optional<double> ratio;         // |amplitude| there over |amplitude| here
    std::optional<double> log_decrement; // ln(ratio), the measured decrement
};

// A measured quantity beside the characteristic it is compared with.
// The difference is (measured - theory) / |theory|, in per cent.
struct Comparison {
    const char* symbol; // the characteristic's symbol: "Ts", "To", "Θ", "Q", "δ"
    const char* unit;   // its unit, as its label shows it ("" for a number)
    std::optional<double> measured;
    std::optional<double> theory;
    std::optional<double> difference_percent;
};

// ln|amplitude| = ln_amplitude_at_zero - delta * t, by least squares over the
// turning points.
struct AmplitudeFit {
    double delta = 0;                // 1/s
    double ln_amplitude_at_zero = 0; // ln of degrees
};

// The swings of a kept run, read step by step as the run grows.
//
// The equilibrium is 0 degrees for a body heavier than the medium and 180 for
// a lighter one (the sign of W02). The angle is not wrapped: a body that goes
// over the top adds a whole turn each time. Turns over the top have no
// turning point, so they make no swing; every turning point is measured from
// the equilibrium nearest to it, which is the bottom of the well the body is
// swinging in (a turning point is always within half a turn of it).
class SwingAnalysis {
public:
    // Reads the steps the analysis has not read yet; a record that holds
    // another run than last time is read from its start.
    void update(const RunRecord& record);

    // 0 or 180, degrees.
    double equilibrium() const { return equilibrium_; }
    const std::vector<TurningPoint>& turning_points() const { return points_; }
    std::size_t steps_read() const { return next_; }

    std::optional<double> mean_period() const;         // s
    std::optional<double> mean_log_decrement() const;  // the measured Θ
    std::optional<double> quality() const;             // pi / Θ
    std::optional<AmplitudeFit> amplitude_fit() const; // needs two turning points

    // Without turning points: the time in which the deviation from the
    // equilibrium falls from its largest value to 1/e of it; nothing while
    // it has not fallen that far.
    bool aperiodic() const { return points_.empty(); }
    std::optional<double> e_fold_time() const;
    // The body has gone over the top at least once.
    bool went_over_the_top() const { return over_the_top_; }

    // The measured period, Θ, Q and δ beside Ts, To, Θ, Q and δ of the run's
    // characteristics, in this order.
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

    void reset(const RunRecord& record);
    void read(const RunRecord& r, std::size_t j);
    void resolve(const RunRecord& r, const Pending& p);
    void add_turning_point(double t, double fi);
    void follow_deviation(double t, double fi);
    double nearest_equilibrium(double fi) const;

    std::uint64_t run_number_ = 0;
    Characteristics c_;
    double equilibrium_ = 0;
    std::size_t next_ = 0;
    int last_sign_ = 0;
    std::size_t last_sign_index_ = 0;
    std::optional<Pending> pending_;
    std::vector<TurningPoint> points_;

    double period_sum_ = 0;
    std::size_t period_count_ = 0;
    double decrement_sum_ = 0;
    std::size_t decrement_count_ = 0;
    LineFit fit_;

    // The deviation from the bottom of the current well.
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
