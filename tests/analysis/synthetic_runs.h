// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Runs with known answers, sampled as the run loop samples: one row per
// step from t = h on (the starting state is not a step).
#include "analysis/run_record.h"

#include <cmath>
#include <functional>

namespace vp::testing {

inline constexpr double degrees_per_radian = 180 / 3.14159265358979323846;

// fi(t) in degrees and its derivative in degrees per second.
struct Motion {
    std::function<double(double)> fi;
    std::function<double(double)> dfi;
};

// fi = centre + A e^(-delta t) cos(omega t), degrees.
inline Motion damped_cosine(double centre, double A, double delta, double omega)
{
    return {[=](double t) { return centre + A * std::exp(-delta * t) * std::cos(omega * t); },
            [=](double t) {
                return -A * std::exp(-delta * t) * (delta * std::cos(omega * t) + omega * std::sin(omega * t));
            }};
}

inline void append_steps(RunRecord& r, const Motion& m, double h, std::size_t from_step, std::size_t to_step)
{
    for (std::size_t n = from_step; n <= to_step; ++n) {
        const double t = static_cast<double>(n) * h;
        r.append({t, m.fi(t), m.dfi(t) / degrees_per_radian, 0.0f});
    }
}

// The run starts from the motion's state at t = 0.
inline RunRecord record_of(const Motion& m, double h, double duration, Characteristics c = {})
{
    RunRecord r;
    c.fi0_rad = m.fi(0) / degrees_per_radian;
    Parameters p;
    p.wz0 = m.dfi(0) / degrees_per_radian;
    r.start(c, p);
    append_steps(r, m, h, 1, static_cast<std::size_t>(std::llround(duration / h)));
    r.finish();
    return r;
}

} // namespace vp::testing
