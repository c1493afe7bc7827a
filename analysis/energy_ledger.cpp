// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/energy_ledger.h"

#include "model/constants.h"
#include "model/stable_step.h"

#include <cmath>

namespace vp {

namespace {

// Where the stiff method takes the step, the step is not a row of
// Runge-Kutta stages to retrace: the energy taken over it is the fall of the
// mechanical energy W / MI = omega^2/2 - W02 cos(phi) between the run's own
// states before and after, shared between the drags in proportion to their
// powers 2 delta omega^2 and kappa |omega|^3 at the two ends (trapezoids). In
// so thick a medium the linear drag takes nearly all of it.
Dissipation stiff_step_dissipation(const RunState& before, const MotionCoefficients& k, double h, double MI)
{
    RunState after = before;
    integration_step(after, k, h);
    const auto energy = [&](const RunState& s) { return MI * (s.wz_new * s.wz_new / 2 - k.W02 * std::cos(s.fi_new)); };
    const auto linear_power = [&](double w) { return 2 * k.delta * w * w; };
    const auto quadratic_power = [&](double w) { return k.fi_2_x * std::abs(w) * w * w; };
    const double linear = linear_power(before.wz_new) + linear_power(after.wz_new);
    const double quadratic = quadratic_power(before.wz_new) + quadratic_power(after.wz_new);
    const double taken = energy(before) - energy(after);
    const double linear_share = linear + quadratic > 0 ? linear / (linear + quadratic) : 1;
    return {taken * linear_share, taken * (1 - linear_share)};
}

} // namespace

Dissipation step_dissipation(const RunState& before, const RunState& after, const MotionCoefficients& k, double h,
                             double MI)
{
    // The sub-steps of integration_step.
    const int halvings = stability_halvings(before, k, h);
    if (halvings > max_runge_kutta_halvings)
        return stiff_step_dissipation(before, k, h, MI);
    const double sub_step = std::ldexp(h, -halvings);
    // The angular velocities a sub-step's four stages were evaluated at, and
    // the energy the drags took over it.
    Dissipation d;
    const auto add_stages = [&](double w1, const RunState& stepped) {
        const double w[4] = {w1, w1 + stepped.k12 / 2, w1 + stepped.k22 / 2, w1 + stepped.k32};
        const double weight[4] = {1, 2, 2, 1};
        double squares = 0, cubes = 0;
        for (int j = 0; j < 4; ++j) {
            squares += weight[j] * w[j] * w[j];
            cubes += weight[j] * std::abs(w[j]) * w[j] * w[j];
        }
        d.linear += sub_step / 6 * 2 * k.delta * MI * squares;
        d.quadratic += sub_step / 6 * k.fi_2_x * MI * cubes;
    };
    // A step without halving is one Runge-Kutta step, whose increments the
    // state after it still holds: nothing to retrace.
    if (halvings == 0) {
        add_stages(before.wz_f, after);
        return d;
    }
    RunState s = before;
    for (long i = 0; i < (1L << halvings); ++i) {
        const double w1 = s.wz_f;
        runge_kutta_step(s, k, sub_step);
        add_stages(w1, s);
    }
    return d;
}

MechanicalEnergy mechanical_energy(double MI, double Mm_L, double fi_rad, double wz)
{
    return {MI * wz * wz / 2, -Mm_L * g * std::cos(fi_rad)};
}

} // namespace vp
