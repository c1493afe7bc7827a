// SPDX-License-Identifier: GPL-3.0-or-later
// The threshold of aperiodic motion on cases whose answer is known from the
// linear oscillator, and the cases where there is none.
#include "series/threshold.h"

#include "model/constants.h"
#include "tests/series/lab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

using testing::started_lab;

// Released from rest at a small angle with linear drag only, the deviation
// e^(-delta t) (cos w t + delta/w sin w t) passes the equilibrium first at
// (pi - atan(w/delta)) / w and again half a period later. The run sees at
// most one passage when that second one comes after its last step, the
// first at or after Tmax: the threshold is the viscosity at which the second
// passage falls on that step. delta is proportional to eta.
double linear_threshold(const LabInputs& lab)
{
    const double delta_per_eta = lab.c.delta / lab.p.eta;
    const double W0 = lab.c.W0;
    auto second_passage = [&](double eta) {
        const double delta = delta_per_eta * eta;
        const double w = std::sqrt(W0 * W0 - delta * delta);
        return (two_pi - std::atan(w / delta)) / w;
    };
    const double last_step = std::ceil(lab.p.Tmax / lab.c.shag) * lab.c.shag;
    double low = 1e-9 * lab.c.eta_kr, high = lab.c.eta_kr * (1 - 1e-12);
    for (int i = 0; i < 200; ++i) {
        const double middle = (low + high) / 2;
        (second_passage(middle) < last_step ? low : high) = middle;
    }
    return (low + high) / 2;
}

TEST(Threshold, TheLinearOscillatorsThresholdWithinATenthOfAPerCent)
{
    struct Case {
        const char* what;
        double massa, ro_0, fi0;
        double periods; // Tmax in harmonic periods
    };
    const Case cases[] = {
        {"heavy sphere in oil, a short run", 44.17, 961, 0.5, 0.9},
        {"heavy sphere in oil, a long run", 44.17, 961, -0.5, 3},
        {"light sphere in water, about the top", 30, 1000, 179.5, 1.6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        LabInputs lab = started_lab({{Quantity::massa, c.massa},
                                     {Quantity::c_shar, 0},
                                     {Quantity::c_ster, 0},
                                     {Quantity::ro_0, c.ro_0},
                                     {Quantity::eta, 1},
                                     {Quantity::fi0, c.fi0},
                                     {Quantity::wz0, 0}});
        std::vector<BoxMessage> messages;
        enter_value(lab, Quantity::Tmax, std::round(c.periods * lab.c.T0 * 100) / 100, messages);
        const double expected = linear_threshold(lab);
        ASSERT_LT(expected, 0.99 * lab.c.eta_kr) << "a finite Tmax moves it below eta_kr";
        RunRecord record;
        int reported = 0;
        const std::optional<Threshold> t =
            find_threshold({lab, Quantity::eta, "."}, record, nullptr, [&reported](int runs) { reported = runs; });
        ASSERT_TRUE(t);
        ASSERT_TRUE(t->found) << t->reason;
        EXPECT_LE(t->runs, max_threshold_runs);
        EXPECT_EQ(reported, t->runs);
        EXPECT_LE(t->aperiodic - t->oscillating, threshold_precision * t->oscillating);
        EXPECT_GT(t->aperiodic, t->oscillating);
        EXPECT_NEAR(t->value / expected, 1, 1e-3) << expected;
    }
}

TEST(Threshold, NoneWhereTheMotionNeverChangesItsKind)
{
    struct Case {
        const char* what;
        LabInputs lab;
        Quantity varied;
        const char* reason; // the start of it
    };
    const Case cases[] = {
        // In water the default body swings whatever its cavity; the box
        // refuses a cavity wider than the sphere.
        {"the cavity", started_lab(), Quantity::diametr_1, "В промежутке от "},
        {"nothing to start from", started_lab({{Quantity::fi0, 0}}), Quantity::fi0,
         "Граница ищется среди положительных значений, а φo (°) не больше 0."},
    };
    for (const Case& c : cases) {
        RunRecord record;
        const std::optional<Threshold> t = find_threshold({c.lab, c.varied, "."}, record);
        ASSERT_TRUE(t) << c.what;
        EXPECT_FALSE(t->found) << c.what;
        EXPECT_EQ(t->reason.rfind(c.reason, 0), 0u) << t->reason;
        EXPECT_LE(t->runs, max_threshold_runs) << c.what;
    }
}

TEST(Threshold, ACancelledSearchGivesNothing)
{
    std::atomic<bool> cancel{false};
    RunRecord record;
    const std::optional<Threshold> t =
        find_threshold({started_lab(), Quantity::eta, "."}, record, &cancel, [&cancel](int runs) {
            if (runs == 2)
                cancel.store(true);
        });
    EXPECT_FALSE(t);
}

} // namespace
} // namespace vp
