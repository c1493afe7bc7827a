// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/drag_regime.h"
#include "analysis/explanation_texts.h"

#include "tests/support/default_lab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

TEST(DragRegime, ReynoldsNumbersAndTheRegimeAtTheEdges)
{
    // The default body: the sphere's centre 1.3 m from the axis, d2 = 0.4 m;
    // the rod of 8 mm ends 1.1 m from the axis above the sphere, 1.5 m alone.
    struct Case {
        const char* name;
        double massa, massa_st, ro_0, eta, Re; // Re: the sphere's, or the rod's where there is no sphere
        DragRegime regime;
    };
    const Case cases[] = {
        {"just below 1", 15.499, 0.5881, 1000, 1, 0.999, DragRegime::stokes},
        {"just above 1", 15.499, 0.5881, 1000, 1, 1.001, DragRegime::transitional},
        {"just below 1000", 15.499, 0.5881, 1000, 1, 999, DragRegime::transitional},
        {"just above 1000", 15.499, 0.5881, 1000, 1, 1001, DragRegime::quadratic},
        {"the rod alone, by its own Re", 0, 0.5881, 1000, 1, 1001, DragRegime::quadratic},
        {"no density: Re = 0", 15.499, 0.5881, 0, 1, 0, DragRegime::stokes},
        {"no viscosity", 15.499, 0.5881, 1000, 0, -1, DragRegime::no_viscosity},
        {"vacuum", 15.499, 0.5881, 0, 0, -1, DragRegime::vacuum},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        testing::DefaultLab lab;
        lab.p.massa = k.massa;
        lab.p.massa_st = k.massa_st;
        lab.p.ro_0 = k.ro_0;
        lab.p.eta = k.eta;
        parametr(lab.p, lab.run.n_tochek, lab.c);
        const double sphere = k.massa != 0;
        // The angular velocity that makes Re what the case says.
        const double speed_per_omega = sphere ? 1.3 : 1.5;
        const double d = sphere ? 0.4 : 0.008;
        const double wz = k.ro_0 > 0 && k.eta > 0 ? k.Re * k.eta / (k.ro_0 * speed_per_omega * d) : 2;
        const DragReading r = drag_reading(lab.p, lab.c, wz);
        EXPECT_EQ(r.regime, k.regime);
        if (k.Re < 0) {
            EXPECT_FALSE(r.Re_sphere || r.Re_rod);
            continue;
        }
        EXPECT_NEAR((sphere ? *r.Re_sphere : *r.Re_rod) / std::max(k.Re, 1e-300), k.Re > 0 ? 1 : 0, 1e-9);
        EXPECT_EQ(r.Re_sphere.has_value(), sphere);
        // The rod's Re by its diameter at its lower end above the sphere.
        if (sphere && k.Re > 0) {
            EXPECT_NEAR(*r.Re_rod / *r.Re_sphere, (1.1 * 0.008) / (1.3 * 0.4), 1e-9);
        }
    }
}

TEST(DragRegime, TheSentencesSayWhatTheNumbersAre)
{
    testing::DefaultLab lab;
    // At 2 rad/s in water: Re of the sphere 1.04e6, of the rod 1.75e4.
    EXPECT_EQ(regime_text(drag_reading(lab.p, lab.c, 2), ","),
              "Re сферы до 1,036e+06, Re стержня до 1,753e+04; квадратичный момент сопротивления больше линейного в "
              "2,119e+04 раза. Режим обтекания: квадратичное сопротивление (Re ≫ 1): δ по Стоксу мало, затухание "
              "задаёт c·v².");
    lab.p.ro_0 = 0;
    lab.p.eta = 0;
    parametr(lab.p, lab.run.n_tochek, lab.c);
    EXPECT_EQ(regime_text(drag_reading(lab.p, lab.c, 2), ","),
              "Режим обтекания: вакуум: сопротивления среды нет, числа Рейнольдса нет.");
    lab.p.ro_0 = 1;
    lab.p.eta = 1;
    parametr(lab.p, lab.run.n_tochek, lab.c);
    EXPECT_EQ(regime_text(drag_reading(lab.p, lab.c, 0.001), "."),
              "Re сферы до 0.00052, Re стержня до 8.8e-06; квадратичный момент сопротивления меньше линейного в "
              "9.399e+04 раза. Режим обтекания: Стокс (Re < 1): формула для δ применима.");
}

} // namespace
} // namespace vp
