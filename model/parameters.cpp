// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/parameters.h"

namespace vp {

void predvar(Parameters& p, RunSettings& run, ZoomSettings& zoom)
{
    p.massa = 15.499;
    p.diametr_2 = 0.4;
    p.diametr_1 = 0.3;
    p.c_shar = 0.47;
    p.dlina = 1.5;
    p.massa_st = 0.5881;
    p.diametr_s = 0.008;
    p.c_ster = 1.2;
    p.ro_0 = 1000;
    p.eta = 0.001004;
    p.fi0 = 37;
    p.wz0 = -3.5;
    p.Tmax = 16;

    run.n_tochek = 100;
    run.zamedlenie = 1;

    zoom.k_fi = 1;
    zoom.k_wz = 1;
    zoom.k_W = 1.0f;
    zoom.n_setki = 5;

    derive_r_shar_2(p);
    derive_r_shar_1(p);
}

namespace {

double Parameters::*member(Quantity q)
{
    switch (q) {
    case Quantity::massa: return &Parameters::massa;
    case Quantity::diametr_2: return &Parameters::diametr_2;
    case Quantity::diametr_1: return &Parameters::diametr_1;
    case Quantity::c_shar: return &Parameters::c_shar;
    case Quantity::dlina: return &Parameters::dlina;
    case Quantity::massa_st: return &Parameters::massa_st;
    case Quantity::diametr_s: return &Parameters::diametr_s;
    case Quantity::c_ster: return &Parameters::c_ster;
    case Quantity::ro_0: return &Parameters::ro_0;
    case Quantity::eta: return &Parameters::eta;
    case Quantity::fi0: return &Parameters::fi0;
    case Quantity::wz0: return &Parameters::wz0;
    case Quantity::Tmax: return &Parameters::Tmax;
    }
    return &Parameters::massa;
}

} // namespace

double quantity(const Parameters& p, Quantity q)
{
    return p.*member(q);
}

double& quantity(Parameters& p, Quantity q)
{
    return p.*member(q);
}

void derive_r_shar_2(Parameters& p)
{
    p.r_shar_2 = p.diametr_2 / 2;
}

void derive_r_shar_1(Parameters& p)
{
    p.r_shar_1 = static_cast<float>(p.diametr_1 / 2);
}

} // namespace vp
