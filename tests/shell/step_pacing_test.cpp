// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/step_pacing.h"

#include <gtest/gtest.h>

#include <vector>

namespace vp {
namespace {

// A simulated run: each step takes `work` seconds, each pause overshoots by
// `late` seconds; returns the wall time of `steps` steps with their pauses.
double run(double work, double late, int steps, double period = 0.01)
{
    StepPacing pacing;
    pacing.restart();
    double now = 0;
    for (int i = 0; i < steps; ++i) {
        now += work;
        now += pacing.pause_ms(now, period) / 1000.0 + late;
    }
    return now;
}

TEST(StepPacing, AWholeRunKeepsTheIdealPace)
{
    struct Case {
        double work, late;
    };
    for (const Case c : {Case{0, 0}, Case{0.0003, 0}, Case{0.0003, 0.0002}, Case{0.0033, 0.0004}}) {
        const double wall = run(c.work, c.late, 738);
        EXPECT_NEAR(wall, 7.38, 0.005) << c.work << " " << c.late;
    }
}

TEST(StepPacing, SlowStepsAndFrozenClocksStartAfresh)
{
    StepPacing pacing;
    pacing.restart();
    // A frozen clock, as in a test: every pause is a whole period.
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(pacing.pause_ms(100, 0.01), 10);
    // A step longer than the period (a box was open): no rush afterwards.
    EXPECT_EQ(pacing.pause_ms(107, 0.01), 10);
    // The pause ended at 107.010; 4 ms of drawing are taken off the next.
    EXPECT_EQ(pacing.pause_ms(107.014, 0.01), 6);
    // A slower pace takes effect at once.
    EXPECT_EQ(pacing.pause_ms(107.021, 0.09), 89);
    // Drawing that takes nearly the whole period still leaves a pause in
    // which the window's events are handled.
    pacing.restart();
    double now = 300;
    for (int i = 0; i < 50; ++i) {
        now += 0.00999;
        const int ms = pacing.pause_ms(now, 0.01);
        EXPECT_GE(ms, 1) << i;
        now += ms / 1000.0;
    }
    // A new run starts with a whole period whatever came before.
    pacing.restart();
    EXPECT_EQ(pacing.pause_ms(200, 0.02), 20);
}

} // namespace
} // namespace vp
