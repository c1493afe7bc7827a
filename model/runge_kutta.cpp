// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/runge_kutta.h"

#include "model/constants.h"

#include <cmath>

namespace vp {

void start_run(RunState& s, double fi0_rad, double wz0)
{
    s.t_f = 0;
    s.fi_new = fi0_rad;
    s.wz_new = wz0;
    s.fi_f = fi0_rad;
    s.wz_f = static_cast<float>(wz0);
}

void runge_kutta_step(RunState& s, const MotionCoefficients& k, double h)
{
    const double t = s.t_f;
    const double fi = s.fi_f;
    const double wz = s.wz_f;

    s.k11 = h * ff_1(t, fi, wz);
    s.k12 = h * ff_2(k, t, fi, wz);
    s.k21 = h * ff_1(t + h / 2, fi + s.k11 / 2, wz + s.k12 / 2);
    s.k22 = h * ff_2(k, t + h / 2, fi + s.k11 / 2, wz + s.k12 / 2);
    s.k31 = h * ff_1(t + h / 2, fi + s.k21 / 2, wz + s.k22 / 2);
    s.k32 = h * ff_2(k, t + h / 2, fi + s.k21 / 2, wz + s.k22 / 2);
    s.k41 = h * ff_1(t + h, fi + s.k31, wz + s.k32);
    s.k42 = static_cast<float>(h * ff_2(k, t + h, fi + s.k31, wz + s.k32));

    s.fi_new = fi + (s.k11 + 2 * s.k21 + 2 * s.k31 + s.k41) / 6;
    s.wz_new = wz + (s.k12 + 2 * s.k22 + 2 * s.k32 + s.k42) / 6;

    s.fi_f = s.fi_new;
    s.wz_f = static_cast<float>(s.wz_new);
    s.t_f = s.t_f + h;
}

float total_energy(double MI, double Mm_L, double fi, double wz)
{
    return static_cast<float>(MI * std::pow(wz, 2) / 2 + Mm_L * (std::cos(fi) * (-g)));
}

} // namespace vp
