// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/stable_step.h"

#include <cmath>
#include <complex>

namespace vp {
namespace {

using Complex = std::complex<double>;

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
        while (halvings < max_stability_halvings && std::abs(lambda) * std::ldexp(h, -halvings) > 1)
            ++halvings;
    }
    return halvings;
}

void integration_step(RunState& s, const MotionCoefficients& k, double h)
{
    const int halvings = stability_halvings(s, k, h);
    if (halvings == 0) {
        runge_kutta_step(s, k, h);
        return;
    }
    const double t = s.t_f;
    const double sub_step = std::ldexp(h, -halvings);
    for (long i = 0; i < (1L << halvings); ++i)
        runge_kutta_step(s, k, sub_step);
    s.t_f = t + h;
}

} // namespace vp
