// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/swing_analysis.h"

#include "model/constants.h"
#include "synthetic_runs.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

using testing::damped_cosine;
using testing::record_of;

// The characteristics of a linear oscillator that swings at omega and decays
// at delta, about the bottom (heavy body) or the top (light body).
Characteristics oscillator(double omega, double delta, bool lighter_than_medium)
{
    Characteristics c;
    c.W0 = std::sqrt(omega * omega + delta * delta);
    c.W02 = (lighter_than_medium ? -1 : 1) * c.W0 * c.W0;
    c.delta = delta;
    c.Ws = omega;
    c.T0 = two_pi / c.W0;
    c.Ts = two_pi / omega;
    c.Teta = delta * c.Ts;
    c.dobrot = static_cast<float>(pi / c.Teta);
    return c;
}

struct SwingCase {
    const char* name;
    double centre; // degrees, where the synthetic motion swings
    double amplitude;
    double delta;
    double omega;
    bool lighter;
    double equilibrium; // what the analysis should call it
};

TEST(SwingAnalysis, DampedCosineGivesPeriodDecrementAndDecay)
{
    const SwingCase cases[] = {
        {"heavy body about the bottom", 0, 30, 0.05, 2.894, false, 0},
        {"strong damping", 0, -60, 0.5, 2.0, false, 0},
        {"light body about the top", 180, -40, 0.08, 1.5, true, 180},
        {"light body about the top, a turn below", -180, 25, 0.08, 1.5, true, 180},
        {"heavy body a turn up", 360, 20, 0.2, 3.0, false, 0},
    };
    for (const SwingCase& k : cases) {
        SCOPED_TRACE(k.name);
        const double T = two_pi / k.omega;
        const Characteristics c = oscillator(k.omega, k.delta, k.lighter);
        const RunRecord r = record_of(damped_cosine(k.centre, k.amplitude, k.delta, k.omega), T / 100, 8 * T, c);
        SwingAnalysis a;
        a.update(r);

        EXPECT_EQ(a.equilibrium(), k.equilibrium);
        ASSERT_GE(a.turning_points().size(), 15u);
        for (const TurningPoint& p : a.turning_points()) {
            EXPECT_EQ(p.equilibrium, k.centre);
            EXPECT_NEAR(p.amplitude, p.fi_deg - k.centre, 1e-12);
        }
        ASSERT_TRUE(a.mean_period());
        EXPECT_NEAR(*a.mean_period() / T, 1, 1e-4);
        ASSERT_TRUE(a.mean_log_decrement());
        EXPECT_NEAR(*a.mean_log_decrement() / (k.delta * T), 1, 1e-4);
        EXPECT_NEAR(*a.quality() / (pi / (k.delta * T)), 1, 1e-4);
        ASSERT_TRUE(a.amplitude_fit());
        EXPECT_NEAR(a.amplitude_fit()->delta / k.delta, 1, 1e-4);
        EXPECT_FALSE(a.aperiodic());

        // Beside the characteristics: Ts, Θ, Q and δ agree, To is longer.
        const std::vector<Comparison> cmp = a.comparisons();
        ASSERT_EQ(cmp.size(), 5u);
        for (std::size_t i : {0u, 2u, 3u, 4u}) {
            SCOPED_TRACE(cmp[i].symbol);
            ASSERT_TRUE(cmp[i].difference_percent);
            EXPECT_LT(std::abs(*cmp[i].difference_percent), 0.01);
        }
        EXPECT_GT(*cmp[1].difference_percent, 0);
    }
}

TEST(SwingAnalysis, ReadingStepByStepGivesWhatReadingAtOnceGives)
{
    const double T = 2.0;
    const auto motion = damped_cosine(0, 30, 0.1, two_pi / T);
    const RunRecord whole = record_of(motion, T / 50, 5 * T);
    SwingAnalysis at_once;
    at_once.update(whole);

    RunRecord growing;
    growing.start({});
    SwingAnalysis step_by_step;
    for (std::size_t n = 1; n <= whole.size(); ++n) {
        testing::append_steps(growing, motion, T / 50, n, n);
        step_by_step.update(growing);
    }
    ASSERT_EQ(step_by_step.turning_points().size(), at_once.turning_points().size());
    for (std::size_t i = 0; i < at_once.turning_points().size(); ++i)
        EXPECT_EQ(step_by_step.turning_points()[i].t, at_once.turning_points()[i].t);
    EXPECT_EQ(step_by_step.mean_period(), at_once.mean_period());

    // A new run is read from its start.
    growing.start({});
    testing::append_steps(growing, motion, T / 50, 1, 10);
    step_by_step.update(growing);
    EXPECT_EQ(step_by_step.steps_read(), 10u);
    EXPECT_TRUE(step_by_step.turning_points().empty());
}

TEST(SwingAnalysis, ShortRunsGiveWhatTheyCan)
{
    // cos(omega t) from t = h: turning points at T/2, T, 3T/2 ...
    struct Case {
        double duration; // in periods
        std::size_t turning_points;
        bool period;
        bool fit;
    };
    const Case cases[] = {
        {0.3, 0, false, false},
        {0.7, 1, false, false},
        {1.2, 2, false, true}, // one swing: no period, no decrement
        {1.7, 3, true, true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.duration);
        const RunRecord r = record_of(damped_cosine(0, 20, 0.1, two_pi), 0.01, k.duration);
        SwingAnalysis a;
        a.update(r);
        EXPECT_EQ(a.turning_points().size(), k.turning_points);
        EXPECT_EQ(a.mean_period().has_value(), k.period);
        EXPECT_EQ(a.mean_log_decrement().has_value(), k.period);
        EXPECT_EQ(a.quality().has_value(), k.period);
        EXPECT_EQ(a.amplitude_fit().has_value(), k.fit);
        EXPECT_EQ(a.comparisons().size(), 5u);
    }
    SwingAnalysis nothing;
    nothing.update(RunRecord());
    EXPECT_TRUE(nothing.aperiodic());
    EXPECT_FALSE(nothing.e_fold_time());
}

TEST(SwingAnalysis, AperiodicDecayFallsToOneOverEInItsTimeConstant)
{
    const double tau = 1.5;
    for (const double equilibrium_shift : {0.0, 180.0}) {
        SCOPED_TRACE(equilibrium_shift);
        Characteristics c;
        c.W02 = equilibrium_shift == 0 ? 1 : -1;
        const testing::Motion decay{[=](double t) { return equilibrium_shift + 40 * std::exp(-t / tau); },
                                    [=](double t) { return -40 / tau * std::exp(-t / tau); }};
        const RunRecord r = record_of(decay, 0.001, 6, c);
        SwingAnalysis a;
        a.update(r);
        EXPECT_TRUE(a.aperiodic());
        EXPECT_FALSE(a.went_over_the_top());
        ASSERT_TRUE(a.e_fold_time());
        EXPECT_NEAR(*a.e_fold_time() / tau, 1, 1e-4);
    }
}

TEST(SwingAnalysis, TurnsOverTheTopAreNoSwings)
{
    // A heavy body spun hard: over the top twice, then swinging about 720
    // degrees (the bottom, two turns on).
    const double omega = two_pi;
    const testing::Motion spin{[](double t) { return t < 2 ? 360 * t : 720 + 30 * std::sin(two_pi * (t - 2)); },
                               [=](double t) { return t < 2 ? 360 : 30 * omega * std::cos(omega * (t - 2)); }};
    Characteristics c;
    c.W02 = 1;
    const RunRecord r = record_of(spin, 0.005, 6, c);
    SwingAnalysis a;
    a.update(r);
    EXPECT_TRUE(a.went_over_the_top());
    ASSERT_FALSE(a.turning_points().empty());
    EXPECT_EQ(a.turning_points().front().equilibrium, 720);
    EXPECT_NEAR(a.turning_points().front().amplitude, 30, 1e-3);
    EXPECT_NEAR(*a.mean_period(), 1, 1e-4);
}

} // namespace
} // namespace vp
