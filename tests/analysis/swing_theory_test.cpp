// SPDX-License-Identifier: GPL-3.0-or-later
// The theory of each swing and the two drags measured apart, against a
// pendulum integrated here at a fine step in double precision.
#include "analysis/swing_analysis.h"

#include "model/constants.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

struct Case {
    const char* name;
    double W0, delta, kappa, A0_deg;
    bool lighter;                // swings about the top
    double period_pct, teta_pct; // the largest difference of a swing from its theory, per cent
    bool delta_resolved, kappa_resolved;
    double fit_pct; // the resolved drags against the true ones, per cent
};

Characteristics oscillator(const Case& k)
{
    Characteristics c;
    c.W0 = k.W0;
    c.W02 = (k.lighter ? -1 : 1) * k.W0 * k.W0;
    c.T0 = two_pi / k.W0;
    c.delta = k.delta;
    c.fi_2_x = k.kappa;
    c.Ts = two_pi / std::sqrt(k.W0 * k.W0 - k.delta * k.delta);
    c.Teta = k.delta * c.Ts;
    return c;
}

// phi'' = -W02 sin(phi) - 2 delta phi' - kappa phi' |phi'| from rest at A0,
// by the classical method at T0/2000, every step a row.
RunRecord reference_run(const Characteristics& c, double fi0_deg, double periods)
{
    const auto acceleration = [&c](double fi, double wz) {
        return -c.W02 * std::sin(fi) - 2 * c.delta * wz - c.fi_2_x * wz * std::abs(wz);
    };
    const double h = c.T0 / 2000;
    double fi = fi0_deg * k_grad_rad, wz = 0;
    RunRecord r;
    r.start(c);
    for (int n = 1; n <= static_cast<int>(periods * 2000); ++n) {
        const double a1 = wz, b1 = acceleration(fi, wz);
        const double a2 = wz + h / 2 * b1, b2 = acceleration(fi + h / 2 * a1, a2);
        const double a3 = wz + h / 2 * b2, b3 = acceleration(fi + h / 2 * a2, a3);
        const double a4 = wz + h * b3, b4 = acceleration(fi + h * a3, a4);
        fi += h / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
        wz += h / 6 * (b1 + 2 * b2 + 2 * b3 + b4);
        r.append({n * h, fi / k_grad_rad, wz, 0.0f});
    }
    r.finish();
    return r;
}

void expect_fit(const DragEstimate& d, bool resolved, double truth, double pct, const char* which)
{
    EXPECT_EQ(d.resolved, resolved) << which << " = " << d.value << " +- " << d.error;
    if (resolved) {
        EXPECT_NEAR(d.value / truth, 1, pct / 100) << which;
    }
}

TEST(SwingTheory, EverySwingAgainstAFineStepPendulum)
{
    const Case cases[] = {
        {"no drag at 60°", 2.5, 0, 0, 60, false, 1e-5, 0, false, false, 0},
        {"no drag near the top, 170°", 2.5, 0, 0, 170, false, 1e-4, 0, false, false, 0},
        {"Stokes drag at 30°", 2.5, 0.05, 0, 30, false, 0.01, 0.1, true, false, 0.2},
        {"quadratic drag at 20°", 3, 0, 0.3, 20, false, 0.1, 0.3, false, true, 0.2},
        {"both drags at 40°", 2, 0.03, 0.4, 40, false, 0.3, 0.5, true, true, 1},
        {"both drags, a light body about the top", 1.5, 0.02, 0.25, 205, true, 0.1, 0.3, true, true, 1},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const Characteristics c = oscillator(k);
        SwingAnalysis a;
        const double amplitude = (k.A0_deg - (k.lighter ? 180 : 0)) * k_grad_rad;
        a.update(reference_run(c, k.A0_deg, 12 * pendulum_period(1, amplitude)));
        ASSERT_GE(a.turning_points().size(), 20u);
        EXPECT_EQ(a.equilibrium(), k.lighter ? 180 : 0);
        for (const TurningPoint& p : a.turning_points()) {
            if (!p.period) {
                EXPECT_EQ(p.theory.note, SwingTheoryNote::no_swing);
                continue;
            }
            ASSERT_EQ(p.theory.note, SwingTheoryNote::none) << p.t;
            EXPECT_NEAR(*p.period / *p.theory.period, 1, k.period_pct / 100 + 1e-7) << p.t;
            if (k.teta_pct > 0) {
                EXPECT_NEAR(*p.log_decrement / *p.theory.log_decrement, 1, k.teta_pct / 100) << p.t;
            } else {
                EXPECT_EQ(*p.theory.log_decrement, 0);
            }
        }
        const Comparison teta = a.comparisons()[2];
        if (k.teta_pct == 0) {
            EXPECT_LT(std::abs(*teta.measured), 1e-8);
        } else {
            EXPECT_NEAR(*teta.swing_difference_percent, 0, k.teta_pct);
        }
        const std::optional<TwoDragResult> fit = a.two_drag_fit();
        ASSERT_TRUE(fit);
        expect_fit(fit->delta, k.delta_resolved, k.delta, k.fit_pct, "delta");
        expect_fit(fit->kappa, k.kappa_resolved, k.kappa, k.fit_pct, "kappa");
        // The fitted curve runs through the amplitudes.
        const auto curve = a.two_drag_curve(200);
        ASSERT_EQ(curve.size(), 200u);
        EXPECT_NEAR(curve.back().second / std::abs(a.turning_points().back().amplitude), 1, 0.002);
    }
}

TEST(SwingTheory, HalfSwingsAtSmallAmplitudesGiveTheLinearLimits)
{
    // T0/2 per unit delta and 4A/3 per unit kappa, to the A^2 terms.
    for (const double A : {1e-7, 1e-4, 0.01, 0.1}) {
        SCOPED_TRACE(A);
        const HalfSwingLoss loss = half_swing_loss(2, A);
        EXPECT_NEAR(loss.linear / (pi / 2), 1, A * A / 4 + 1e-12);
        EXPECT_NEAR(loss.quadratic / (4 * A / 3), 1, A * A / 10 + 1e-12);
        EXPECT_NEAR(pendulum_period(1, A), 1 + A * A / 16, A * A * A * A / 100 + 1e-15);
    }
}

} // namespace
} // namespace vp
