// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/characteristics.h"

#include "model/constants.h"

#include <cmath>

namespace vp {

void parametr(const Parameters& p, std::int16_t n_tochek, Characteristics& c)
{
    const double m = p.massa;
    const double M = p.massa_st;
    const double d2 = p.diametr_2;
    const double d1 = p.diametr_1;
    const double L = p.dlina;
    const double D = p.diametr_s;
    const double ro_0 = p.ro_0;
    const double r2 = p.r_shar_2;
    const double a = L - d2 / 2; // axis to the centre of the sphere
    const double l = L - d2;     // rod above the sphere

    c.fi0_rad = p.fi0 * k_grad_rad;

    c.ro = 6 * m / (pi * std::pow(d2, 3));
    c.ro_ss = 6 * m / (pi * (std::pow(d2, 3) - std::pow(d1, 3)));
    c.m0 = ro_0 * pi * (std::pow(d2, 3) / 6 + l * std::pow(D, 2) / 4);
    c.ro_st = 4 * M / (pi * std::pow(D, 2) * L);

    // Shell about its centre, Steiner term of the sphere, rod about its end.
    c.MI_1 = m * (std::pow(d2, 5) - std::pow(d1, 5)) / (10 * (std::pow(d2, 3) - std::pow(d1, 3)));
    c.MI_2 = m * std::pow(a, 2);
    c.MI_3 = M * std::pow(L, 2) / 3;
    c.MI = c.MI_1 + c.MI_2 + c.MI_3;

    c.x_c_m = static_cast<float>((M * L / 2 + m * a) / (M + m));

    // Stokes drag 3*pi*eta*d2*v acts on the sphere at the lever arm a; the
    // rod is given no linear drag.
    c.delta_shar = m == 0 ? 0 : three_pi * d2 * std::pow(a, 2);
    c.delta_st = 0;
    const double stokes = m == 0 ? c.delta_st : M == 0 ? c.delta_shar : c.delta_st + c.delta_shar;
    c.delta = p.eta / (2 * c.MI) * stokes;

    // Weight minus buoyancy, as moments per g (kg*m). Of the rod only the
    // part above the sphere, of length l, displaces the medium; without a
    // sphere the whole rod does.
    //
    // The rod's weight M g acts at its middle, L/2. The medium it displaces
    // above the sphere has the mass rho_0 pi D^2 l / 4 = M (rho_0/rho_st)
    // (l/L), with rho_st = 4 M / (pi D^2 L); the laboratory takes its lift at
    // the rod's middle too, so the moment per g is
    //     M L/2 - M (rho_0/rho_st) (l/L) L/2 = M (L/2 - l (rho_0/rho_st) / 2).
    // (That lift's own centroid lies at l/2: the formula overstates the rod's
    // buoyancy moment by L/l, a small share beside the sphere's.) A wholly
    // immersed rod, l = L, gives M L (1 - rho_0/rho_st) / 2 exactly.
    c.W02_shar = m != 0 ? m * (1 - ro_0 / c.ro) * a : 0;
    if (M != 0) {
        c.W02_st = M * (L / 2 - l * (ro_0 / c.ro_st) / 2);
        c.W02_st_u = static_cast<float>(M * L * (1 - ro_0 / c.ro_st) / 2);
    } else {
        c.W02_st = 0;
    }
    c.Mm_L = m == 0 ? c.W02_st_u : M == 0 ? c.W02_shar : c.W02_st + c.W02_shar;

    // A body lighter than the medium has W02 < 0: its stable position is
    // straight up and the frequency belongs to |W02|.
    c.W02 = c.Mm_L * g / c.MI;
    c.W0 = std::sqrt(std::fabs(c.W02));
    c.Ws = std::sqrt(std::fabs(std::pow(c.delta, 2) - std::pow(c.W0, 2)));
    c.T0 = two_pi / c.W0;
    if (c.W0 > c.delta)
        c.Ts = two_pi / c.Ws;
    if (m != 0)
        c.eta_kr = static_cast<float>(2 * c.MI * c.W0 / (three_pi * d2 * std::pow(a, 2)));
    if (c.W0 > c.delta) {
        c.Teta = c.delta * c.Ts;
        if (c.Teta != 0)
            c.dobrot = static_cast<float>(pi / c.Teta);
    }

    // Quadratic drag: a strip at distance x from the axis moves at x*omega
    // and meets the drag c rho_0 (x omega)^2 / 2 per unit of its frontal
    // area, at the lever arm x. The moment is rho_0 omega^2 / 2 times
    //   rod above the sphere (frontal width D):  c_ster D  int_0^l x^3 dx = l^4 D c_ster / 4;
    //   sphere (strips x = a + u, chord 2 sqrt(r2^2 - u^2)):
    //     c_shar int_{-r2}^{r2} (a + u)^3 2 sqrt(r2^2 - u^2) du
    //       = c_shar (a^3 pi r2^2 + 3 a pi r2^4 / 4)        (odd powers of u vanish)
    //       = pi c_shar r2^5 ((L/r2 - 1)^3 + 3 (L/r2 - 1) / 4), as a = L - r2.
    // Over 2 MI it is the coefficient of omega*|omega| in the equation.
    c.fi_2_x_shar = pi * p.c_shar * std::pow(r2, 5) * (std::pow(L / r2 - 1, 3) + 3 * (L / r2 - 1) / 4);
    c.fi_2_x_st = std::pow(l, 4) * D * p.c_ster / 4;
    c.fi_2_x_st_u = static_cast<float>(std::pow(L, 4) * D * p.c_ster / 4);
    const double drag = m == 0 ? c.fi_2_x_st_u : M == 0 ? c.fi_2_x_shar : c.fi_2_x_st + c.fi_2_x_shar;
    c.fi_2_x = ro_0 / (2 * c.MI) * drag;

    c.shag = c.T0 / n_tochek;

    c.Amp_fi = std::sqrt(std::pow(c.fi0_rad, 2) + std::pow(p.wz0, 2) / std::fabs(c.W02)) / k_grad_rad;
    c.Amp_wz = static_cast<float>(std::sqrt(std::pow(p.wz0, 2) + std::pow(std::fabs(c.W0) * c.Amp_fi * k_grad_rad, 2)));

    c.Wp0 = c.Mm_L * (std::cos(c.fi0_rad) * (-g));
    c.Wk0 = c.MI * std::pow(p.wz0, 2) / 2;
    c.W_00 = c.Wk0 + c.Wp0;
    c.W_min = std::fabs(c.Mm_L) * (-g);
}

bool motion_defined(const Characteristics& c)
{
    const double needed[] = {c.fi0_rad, c.MI, c.W02, c.delta, c.fi_2_x, c.shag, c.Mm_L, c.W_00, c.W_min};
    for (double v : needed) {
        if (!std::isfinite(v))
            return false;
    }
    return c.MI > 0 && c.W02 != 0 && c.shag > 0;
}

namespace {

Shown shown_as(double value)
{
    if (std::isnan(value))
        return Shown::undefined;
    if (std::isinf(value))
        return Shown::infinite;
    return Shown::number;
}

// A value shown only where W0 exceeds delta: otherwise it is unbounded,
// unless the comparison itself had nothing to compare.
Shown beyond_damping(const Characteristics& c, Shown otherwise)
{
    if (std::isnan(c.W0) || std::isnan(c.delta))
        return Shown::undefined;
    return c.W0 > c.delta ? Shown::number : otherwise;
}

} // namespace

CharacteristicReadings characteristic_readings(const Parameters& p, const Characteristics& c)
{
    // Q: no oscillation at or beyond critical damping, no loss without damping.
    Shown quality = beyond_damping(c, Shown::tends_to_zero);
    if (quality == Shown::number && c.Teta == 0)
        quality = Shown::infinite;
    const bool no_quadratic_drag = c.fi_2_x == 0;

    CharacteristicReadings r = {{
        {c.ro, Shown::number},
        {c.ro_ss, Shown::number},
        {c.m0, Shown::number},
        {c.ro_st, Shown::number},
        {c.MI, Shown::number},
        {c.delta, Shown::number},
        {c.W0, Shown::number},
        {c.Ws, Shown::number},
        {c.T0, Shown::number},
        {c.Ts, beyond_damping(c, Shown::infinite)},
        {c.eta_kr, p.massa != 0 ? Shown::number : Shown::undefined},
        // φ2: 1/fi_2_x, in degrees.
        {no_quadratic_drag ? 0 : (1 / c.fi_2_x) / k_grad_rad, no_quadratic_drag ? Shown::infinite : Shown::number},
        {c.Teta, beyond_damping(c, Shown::infinite)},
        {c.dobrot, quality},
        {c.x_c_m, Shown::number},
        {c.Mm_L, Shown::number},
    }};
    for (CharacteristicReading& reading : r) {
        if (reading.shown == Shown::number && !std::isfinite(reading.value))
            reading.shown = shown_as(reading.value);
    }
    return r;
}

} // namespace vp
