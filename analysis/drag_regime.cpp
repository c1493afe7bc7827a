// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/drag_regime.h"

namespace vp {

DragReading drag_reading(const Parameters& p, const Characteristics& c, double wz_max)
{
    DragReading r;
    if (c.delta > 0)
        r.moment_ratio = c.fi_2_x * wz_max / (2 * c.delta);
    if (p.eta == 0) {
        r.regime = p.ro_0 == 0 ? DragRegime::vacuum : DragRegime::no_viscosity;
        return r;
    }
    const bool sphere = p.massa != 0;
    if (sphere)
        r.Re_sphere = p.ro_0 * (p.dlina - p.diametr_2 / 2) * wz_max * p.diametr_2 / p.eta;
    if (p.massa_st != 0)
        r.Re_rod = p.ro_0 * (sphere ? p.dlina - p.diametr_2 : p.dlina) * wz_max * p.diametr_s / p.eta;
    const double Re = r.Re_sphere ? *r.Re_sphere : r.Re_rod.value_or(0);
    r.regime = Re < 1 ? DragRegime::stokes : (Re < 1e3 ? DragRegime::transitional : DragRegime::quadratic);
    return r;
}

const char* regime_sentence(DragRegime regime)
{
    switch (regime) {
    case DragRegime::stokes: return "Стокс (Re < 1): формула для δ применима";
    case DragRegime::transitional: return "переходный режим";
    case DragRegime::quadratic: return "квадратичное сопротивление (Re ≫ 1): δ по Стоксу мало, затухание задаёт c·v²";
    case DragRegime::no_viscosity: return "вязкости нет (η = 0), числа Рейнольдса нет: затухание задаёт только c·v²";
    case DragRegime::vacuum: break;
    }
    return "вакуум: сопротивления среды нет, числа Рейнольдса нет";
}

} // namespace vp
