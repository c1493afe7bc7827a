// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/swing_analysis.h"

#include "analysis/explanation_texts.h"
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
        ASSERT_EQ(cmp.size(), 7u);
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
        EXPECT_EQ(a.comparisons().size(), 7u);
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

TEST(SwingAnalysis, AperiodicDecayFallsToOneOverEFromTheStart)
{
    // From its starting state: a body released from rest at critical
    // damping, 40 (1 + t/tau) e^(-t/tau), falls to 1/e in 2.146193 tau.
    const double tau = 1.5;
    struct Case {
        double equilibrium;
        bool critical;
        double e_fold;
    };
    for (const Case& k : {Case{0, false, tau}, Case{180, false, tau}, Case{0, true, 2.146193 * tau}}) {
        SCOPED_TRACE(k.critical ? "critical" : "exponential");
        Characteristics c;
        c.W02 = k.equilibrium == 0 ? 1 : -1;
        const auto fi = [=](double t) {
            return k.equilibrium + 40 * (k.critical ? 1 + t / tau : 1) * std::exp(-t / tau);
        };
        const auto dfi = [=](double t) { return -40 / tau * (k.critical ? t / tau : 1) * std::exp(-t / tau); };
        SwingAnalysis a;
        a.update(record_of({fi, dfi}, 0.001, 8, c));
        EXPECT_TRUE(a.aperiodic());
        EXPECT_FALSE(a.went_over_the_top());
        EXPECT_NEAR(a.e_fold_time().value_or(0) / k.e_fold, 1, 1e-4);
    }
}

TEST(SwingAnalysis, TheWordsSayHowTheSwingsEnd)
{
    const Characteristics swings = oscillator(two_pi, 0.1, false);
    const testing::Motion creep{[](double t) { return 10 * std::exp(-t); },
                                [](double t) { return -10 * std::exp(-t); }};
    const testing::Motion stops{[](double t) { return t < 2 ? 20 * std::cos(two_pi * t) : 20; },
                                [](double t) { return t < 2 ? -20 * two_pi * std::sin(two_pi * t) : 0; }};
    struct Case {
        const char* name;
        testing::Motion motion;
        Characteristics c;
        double duration;
        bool ended;
        const char* words;
    };
    const Case cases[] = {
        {"overdamped, running", creep, {}, 3, false, "точек поворота пока нет"},
        {"overdamped", creep, {}, 3, true, "движение апериодическое"},
        {"ended before the first turning point", damped_cosine(0, 20, 0.1, two_pi), swings, 0.3, true,
         "до T = 0,300 c точек поворота нет"},
        {"swinging to the end", damped_cosine(0, 20, 0.1, two_pi), swings, 4.2, true, ""},
        {"died out", damped_cosine(0, 20, 3, two_pi), swings, 6, true, "колебания практически затухли"},
        {"no turning point after the last", stops, swings, 5, true,
         "после t = 1,500 c до T = 5,000 c точек поворота нет"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        SwingAnalysis a;
        a.update(record_of(k.motion, 0.01, k.duration, k.c));
        EXPECT_EQ(swing_end_text(a, k.ended, ","), k.words);
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
