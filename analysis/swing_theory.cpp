// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/swing_theory.h"

#include "model/constants.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// The arithmetic-geometric mean of 1 and k' = cos(A/2), and E(k) - k'^2 K(k)
// beside it. With a0 = 1, b0 = k', c0 = k and
//   a(n+1) = (a + b)/2, b(n+1) = sqrt(a b), c(n+1) = c(n)^2 / (4 a(n+1)),
// K = pi / (2 a_oo) and E = K (1 - sum 2^(n-1) c(n)^2), so that
//   E - k'^2 K = K (k^2/2 - sum_(n>=1) 2^(n-1) c(n)^2).
// c(n+1) is written without the difference a - b, which would lose every
// digit at small amplitudes.
struct Elliptic {
    double agm = 1;
    double e_minus_k2k = 0;
};

Elliptic elliptic(double A)
{
    const double k = std::sin(A / 2);
    double a = 1;
    double b = std::cos(A / 2);
    double c = k;
    double sum = 0;
    double weight = 0.5;
    for (int n = 0; n < 40 && c > 1e-300; ++n) {
        const double next = (a + b) / 2;
        b = std::sqrt(a * b);
        c = c * c / (4 * next);
        a = next;
        weight *= 2;
        sum += weight * c * c;
        if (c < 1e-17 * k)
            break;
    }
    const double K = pi / (2 * a);
    return {a, K * (k * k / 2 - sum)};
}

// sin A - A cos A, by its series where the difference cancels.
double sin_minus_a_cos(double A)
{
    if (std::abs(A) < 1e-2) {
        const double A2 = A * A;
        return A * A2 / 3 * (1 - A2 / 10 + A2 * A2 / 280);
    }
    return std::sin(A) - A * std::cos(A);
}

} // namespace

double pendulum_period(double T0, double A)
{
    return T0 / elliptic(A).agm;
}

HalfSwingLoss half_swing_loss(double W0, double A)
{
    A = std::abs(A);
    const double a_sin_a = A * std::sin(A);
    return {16 * elliptic(A).e_minus_k2k / (W0 * a_sin_a), 4 * sin_minus_a_cos(A) / a_sin_a};
}

double decay_rate(const Characteristics& c, double delta, double kappa, double A)
{
    const HalfSwingLoss loss = half_swing_loss(c.W0, A);
    return (delta * loss.linear + kappa * loss.quadratic) / (pendulum_period(c.T0, A) / 2);
}

double half_swing_amplitude(double a, double b)
{
    // Nearly equal, ln(a/b)/(a - b) loses its digits: the harmonic mean is
    // the same to the square of their difference.
    if (std::abs(a - b) <= 1e-4 * std::max(a, b))
        return 2 * a * b / (a + b);
    return a * b * std::log(a / b) / (a - b);
}

SwingTheory swing_theory(const Characteristics& c, double a0, double a1, double a2)
{
    a0 = std::abs(a0);
    a1 = std::abs(a1);
    a2 = std::abs(a2);
    SwingTheory s;
    for (const double a : {a0, a1, a2})
        if (!(a > 0 && a < pi))
            return s;
    const double T_u = pendulum_period(c.T0, a0) / 4 + pendulum_period(c.T0, a1) / 2 + pendulum_period(c.T0, a2) / 4;
    double theta_u = 0;
    for (const double m : {half_swing_amplitude(a0, a1), half_swing_amplitude(a1, a2)}) {
        const HalfSwingLoss loss = half_swing_loss(c.W0, m);
        theta_u += c.delta * loss.linear + c.fi_2_x * loss.quadratic;
    }
    const double d = theta_u / T_u;
    const double omega = two_pi / T_u;
    s.note = SwingTheoryNote::aperiodic;
    if (!std::isfinite(T_u) || !(omega > d))
        return s;
    s.note = SwingTheoryNote::none;
    s.period = two_pi / std::sqrt(omega * omega - d * d);
    s.log_decrement = d * *s.period;
    return s;
}

} // namespace vp
