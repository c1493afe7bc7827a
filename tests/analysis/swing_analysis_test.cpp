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
    c.T0 = two_pi / c.W0;
    c.Ts = two_pi / omega;
    c.Teta = delta * c.Ts;
    c.dobrot = static_cast<float>(pi / c.Teta);
    return c;
}

TEST(SwingAnalysis, DampedCosineGivesPeriodDecrementAndDecay)
{
    struct Case {
        const char* name;
        double centre; // degrees, where the motion swings
        double amplitude, delta, omega;
        bool lighter;
    };
    const Case cases[] = {
        {"heavy body about the bottom", 0, 30, 0.05, 2.894, false},
        {"strong damping", 0, -60, 0.5, 2.0, false},
        {"light body about the top", 180, -40, 0.08, 1.5, true},
        {"light body about the top, a turn below", -180, 25, 0.08, 1.5, true},
        {"heavy body a turn up", 360, 20, 0.2, 3.0, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        const double T = two_pi / k.omega;
        const auto motion = damped_cosine(k.centre, k.amplitude, k.delta, k.omega);
        const RunRecord r = record_of(motion, T / 100, 8 * T, oscillator(k.omega, k.delta, k.lighter));
        SwingAnalysis a;
        a.update(r);

        EXPECT_EQ(a.equilibrium(), k.lighter ? 180 : 0);
        ASSERT_GE(a.turning_points().size(), 15u);
        for (const TurningPoint& p : a.turning_points())
            EXPECT_EQ(p.equilibrium, k.centre);
        EXPECT_NEAR(*a.mean_period() / T, 1, 1e-4);
        EXPECT_NEAR(*a.mean_log_decrement() / (k.delta * T), 1, 1e-4);
        EXPECT_NEAR(*a.quality() / (pi / (k.delta * T)), 1, 1e-4);
        EXPECT_NEAR(a.amplitude_fit()->delta / k.delta, 1, 1e-4);

        // Beside the characteristics: Ts, Θ, Q and δ agree, To is shorter.
        const std::vector<Comparison> cmp = a.comparisons();
        ASSERT_EQ(cmp.size(), 5u);
        for (std::size_t i : {0u, 2u, 3u, 4u})
            EXPECT_LT(std::abs(cmp[i].difference_percent.value_or(1)), 0.01) << cmp[i].symbol;
        EXPECT_GT(*cmp[1].difference_percent, 0);

        // Read step by step, as during a run: the same.
        RunRecord growing;
        growing.start(r.characteristics());
        SwingAnalysis live;
        for (std::size_t n = 1; n <= r.size(); ++n) {
            testing::append_steps(growing, motion, T / 100, n, n);
            live.update(growing);
        }
        EXPECT_EQ(live.turning_points().size(), a.turning_points().size());
        EXPECT_EQ(live.mean_period(), a.mean_period());
    }
}

TEST(SwingAnalysis, ShortRunsGiveWhatTheyCan)
{
    // cos(2 pi t) from t = h: turning points at 0.5, 1, 1.5 ... s. One
    // record and one analysis for all: each new run is read from its start.
    struct Case {
        double duration;
        std::size_t turning_points;
        bool period, fit;
    };
    const Case cases[] = {
        {1.7, 3, true, true},
        {0.3, 0, false, false},
        {0.7, 1, false, false},
        {1.2, 2, false, true}, // one swing: no period, no decrement
    };
    RunRecord r;
    SwingAnalysis a;
    for (const Case& k : cases) {
        SCOPED_TRACE(k.duration);
        r.start({});
        const auto steps = static_cast<std::size_t>(std::lround(k.duration / 0.01));
        testing::append_steps(r, damped_cosine(0, 20, 0.1, two_pi), 0.01, 1, steps);
        a.update(r);
        EXPECT_EQ(a.turning_points().size(), k.turning_points);
        EXPECT_EQ(a.mean_period().has_value(), k.period);
        EXPECT_EQ(a.mean_log_decrement().has_value(), k.period);
        EXPECT_EQ(a.quality().has_value(), k.period);
        EXPECT_EQ(a.amplitude_fit().has_value(), k.fit);
        EXPECT_EQ(a.comparisons().size(), 5u);
    }
}

TEST(SwingAnalysis, ATurningPointStandsAtTheExtremeBetweenTheSteps)
{
    // 20 e^(-0.1 t) cos(2 pi t) sampled every 0.01 s: its first minimum lies
    // where tan(2 pi t) = -0.1 / (2 pi), between two steps.
    const double omega = two_pi;
    const double delta = 0.1;
    const double t = (pi - std::atan(delta / omega)) / omega;
    const double fi = 20 * std::exp(-delta * t) * std::cos(omega * t);
    SwingAnalysis a;
    a.update(record_of(damped_cosine(0, 20, delta, omega), 0.01, 0.7));
    ASSERT_EQ(a.turning_points().size(), 1u);
    const TurningPoint& p = a.turning_points()[0];
    EXPECT_NEAR(p.t, t, 1e-4);
    EXPECT_NEAR(p.fi_deg, fi, 1e-3);
    EXPECT_EQ(p.equilibrium, 0);
    EXPECT_EQ(p.amplitude, p.fi_deg);
    EXPECT_FALSE(p.period);
    EXPECT_FALSE(p.ratio);
}

TEST(SwingAnalysis, AperiodicDecayFallsToOneOverEInItsTimeConstant)
{
    const double tau = 1.5;
    for (const double equilibrium : {0.0, 180.0}) {
        SCOPED_TRACE(equilibrium);
        Characteristics c;
        c.W02 = equilibrium == 0 ? 1 : -1;
        const testing::Motion decay{[=](double t) { return equilibrium + 40 * std::exp(-t / tau); },
                                    [=](double t) { return -40 / tau * std::exp(-t / tau); }};
        SwingAnalysis a;
        a.update(record_of(decay, 0.001, 6, c));
        EXPECT_TRUE(a.aperiodic());
        EXPECT_FALSE(a.went_over_the_top());
        EXPECT_NEAR(a.e_fold_time().value_or(0) / tau, 1, 1e-4);
    }
}

TEST(SwingAnalysis, TurnsOverTheTopAreNoSwings)
{
    // A heavy body spun hard: over the top twice, then swinging about 720
    // degrees (the bottom, two turns on).
    const testing::Motion spin{[](double t) { return t < 2 ? 360 * t : 720 + 30 * std::sin(two_pi * (t - 2)); },
                               [](double t) { return t < 2 ? 360 : 30 * two_pi * std::cos(two_pi * (t - 2)); }};
    Characteristics c;
    c.W02 = 1;
    SwingAnalysis a;
    a.update(record_of(spin, 0.005, 6, c));
    EXPECT_TRUE(a.went_over_the_top());
    ASSERT_FALSE(a.turning_points().empty());
    EXPECT_EQ(a.turning_points().front().equilibrium, 720);
    EXPECT_NEAR(a.turning_points().front().amplitude, 30, 1e-3);
    EXPECT_NEAR(*a.mean_period(), 1, 1e-4);
}

} // namespace
} // namespace vp
