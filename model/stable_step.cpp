// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/stable_step.h"

#include <algorithm>
#include <cmath>
#include <complex>

namespace vp {
namespace {

using Complex = std::complex<double>;

// The motion's state, or a rate of it, in double precision.
struct Motion {
    double phi = 0;
    double omega = 0;
};

Motion operator+(Motion a, Motion b)
{
    return {a.phi + b.phi, a.omega + b.omega};
}

Motion operator*(double h, Motion a)
{
    return {h * a.phi, h * a.omega};
}

Motion rate(const MotionCoefficients& k, Motion y)
{
    return {y.omega, -k.W02 * std::sin(y.phi) - 2 * k.delta * y.omega - k.fi_2_x * y.omega * std::fabs(y.omega)};
}

// The stiff sub-steps' error allowance in the angle: 1e-7 rad, and one
// millionth of the angle beyond 0.1 rad; over a run of a thousand steps some
// 0.01 degrees at most.
constexpr double relative_tolerance = 1e-6;
constexpr double absolute_tolerance = 1e-7;

struct Trial {
    Motion y;
    double error; // estimated over allowed; at most 1 to be accepted
};

// One ROS2 step from y:
//     (I - gamma h J) k1 = f(y)
//     (I - gamma h J) k2 = f(y + h k1) - 2 k1
//     y1 = y + 3/2 h k1 + 1/2 h k2,
// with J the Jacobian at y. The first-order y + h k1 gives the error
// estimate, passed once more through (I - gamma h J)^-1 so that a mode the
// step has rightly damped away does not count as error.
Trial ros2_step(const MotionCoefficients& k, Motion y, double h)
{
    constexpr double gamma = 1.7071067811865476; // 1 + 1/sqrt(2)
    const double A = -k.W02 * std::cos(y.phi);
    const double B = -2 * k.delta - 2 * k.fi_2_x * std::fabs(y.omega);
    const double gh = gamma * h;
    // I - gamma h J = [[1, -gh], [-gh A, 1 - gh B]] and its inverse.
    const double d = 1 - gh * B;
    const double det = d - gh * gh * A;
    const auto solve = [&](Motion r) {
        return Motion{(d * r.phi + gh * r.omega) / det, (gh * A * r.phi + r.omega) / det};
    };

    const Motion k1 = solve(rate(k, y));
    const Motion k2 = solve(rate(k, y + h * k1) + -2.0 * k1);
    const Motion y1 = y + (1.5 * h) * k1 + (0.5 * h) * k2;
    const Motion e = solve((0.5 * h) * (k1 + k2));
    // An error in the angular velocity matters by the angle it moves the
    // body before the damping B has taken it away.
    const double angle_error = std::max(std::fabs(e.phi), std::fabs(e.omega) / std::max(-B, 1 / h));
    const double error =
        angle_error / (absolute_tolerance + relative_tolerance * std::max(std::fabs(y.phi), std::fabs(y1.phi)));
    // A step across a near-singular matrix (an unstable equilibrium at too
    // long a step) gives no number: refused, and tried shorter.
    return {y1, std::isfinite(error) && std::isfinite(y1.phi) && std::isfinite(y1.omega) ? error : HUGE_VAL};
}

// The display step h in sub-steps of ROS2, each as long as its error
// allows: the first tries the whole step, and each next one grows or shrinks
// by the usual controller for a second-order pair.
int stiff_step(RunState& s, const MotionCoefficients& k, double h)
{
    Motion y{s.fi_f, s.wz_f};
    double done = 0;
    double sub_step = h;
    int tries = 0;
    while (done < h) {
        ++tries;
        const bool last_try = tries == max_stiff_steps;
        // The last sub-step ends the display step exactly; a remainder of a
        // rounding error is not left for a sub-step of its own.
        if (last_try || done + sub_step >= h * (1 - 1e-12))
            sub_step = h - done;
        const Trial trial = ros2_step(k, y, sub_step);
        if (trial.error <= 1 || last_try) {
            y = trial.y;
            done += sub_step;
        }
        const double factor = trial.error > 0 ? 0.9 / std::sqrt(trial.error) : 4.0;
        sub_step *= std::clamp(factor, 0.2, 4.0);
    }
    s.fi_new = y.phi;
    s.wz_new = y.omega;
    s.fi_f = s.fi_new;
    s.wz_f = static_cast<float>(s.wz_new);
    return tries;
}

} // namespace

int stability_halvings(const RunState& s, const MotionCoefficients& k, double h)
{
    const double omega = s.wz_f;
    const double A = -k.W02 * std::cos(s.fi_f);
    const double B = -2 * k.delta - 2 * k.fi_2_x * std::fabs(omega);
    const Complex root = std::sqrt(Complex(B * B + 4 * A, 0));
    const Complex eigenvalues[] = {(B + root) / 2.0, (B - root) / 2.0};
    int halvings = 0;
    for (const Complex& lambda : eigenvalues) {
        if (!(lambda.real() < 0))
            continue;
        while (halvings <= max_runge_kutta_halvings && std::abs(lambda) * std::ldexp(h, -halvings) > 1)
            ++halvings;
    }
    return halvings;
}

StepWork integration_step(RunState& s, const MotionCoefficients& k, double h)
{
    const int halvings = stability_halvings(s, k, h);
    if (halvings == 0) {
        runge_kutta_step(s, k, h);
        return {1, 0};
    }
    const double t = s.t_f;
    StepWork work;
    if (halvings > max_runge_kutta_halvings) {
        work.stiff_steps = stiff_step(s, k, h);
    } else {
        const double sub_step = std::ldexp(h, -halvings);
        work.runge_kutta_steps = 1 << halvings;
        for (int i = 0; i < work.runge_kutta_steps; ++i)
            runge_kutta_step(s, k, sub_step);
    }
    s.t_f = t + h;
    return work;
}

} // namespace vp
