// SPDX-License-Identifier: GPL-3.0-or-later
// The integration loop without a window: an observer records each step and
// plays the user at the button.
#include "model/run.h"
#include "model/run_check.h"
#include "tests/model/recorded_run.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace vp {
namespace {

struct Lab : testing::RecordedRun {
    explicit Lab(double eta = 0.001004)
    {
        p.eta = eta;
        parametr(p, run.n_tochek, c);
    }
};

TEST(Run, PinnedTrajectoryWithLinearAndQuadraticDrag)
{
    // The default body in a liquid of 10 and 50 Pa*s with the default drag
    // coefficients. Expected bits from tests/model/reference_run.py, an
    // implementation of the method of its own: doubles for the angle, single
    // precision for the carried angular velocity, k42, the right-hand sides
    // and the energy.
    struct Pinned {
        double eta;
        int step;
        double t_f, fi_new, wz_new;
        float W_poln;
    };
    const Pinned cases[] = {
        {10, 1, 0x1.63aa8b1f33ddap-6, 0x1.2862cd036a2f1p-1, -0x1.5bb286e165969p+1, 0x1.208acp+8F},
        {10, 2, 0x1.63aa8b1f33ddap-5, 0x1.0d6242e9a7bbfp-1, -0x1.1622efcbfce86p+1, 0x1.02f93cp+8F},
        {10, 50, 0x1.15dd3cb060854p+0, 0x1.62b7d42ebbd68p-1, 0x1.e1aec0ef1bd6cp-1, 0x1.73750cp+7F},
        {50, 1, 0x1.63aa8b1f33ddap-6, 0x1.2b7304041aab0p-1, -0x1.1e681d66783e0p+1, 0x1.ffa48ep+7F},
        {50, 2, 0x1.63aa8b1f33ddap-5, 0x1.1718aa18c09efp-1, -0x1.7c204351ce9b4p+0, 0x1.bdb732p+7F},
        {50, 50, 0x1.15dd3cb060854p+0, 0x1.909d7d595f2bbp-1, 0x1.c4fb5b2fdc033p-2, 0x1.45a50cp+7F},
    };
    for (const double eta : {10.0, 50.0}) {
        Lab lab(eta);
        lab.p.Tmax = 50 * lab.c.shag;
        lab.run_it();
        ASSERT_GE(lab.recorder.steps.size(), 50u) << eta;
        for (const Pinned& k : cases) {
            if (k.eta != eta)
                continue;
            const RunState& s = lab.recorder.steps.at(static_cast<std::size_t>(k.step - 1));
            EXPECT_EQ(s.t_f, k.t_f) << eta << " step " << k.step;
            EXPECT_EQ(s.fi_new, k.fi_new) << eta << " step " << k.step;
            EXPECT_EQ(s.wz_new, k.wz_new) << eta << " step " << k.step;
            EXPECT_EQ(s.W_poln, k.W_poln) << eta << " step " << k.step;
            EXPECT_EQ(s.wz_f, static_cast<float>(s.wz_new)) << "the angular velocity is carried in single precision";
        }
    }
}

TEST(Run, EndsAtTheFirstStepThatReachesTmax)
{
    // A step of a quarter second adds up exactly: Tmax = 1 is reached by the
    // fourth step, and a loop that ran one step past it would take five.
    struct Case {
        double Tmax;
        std::size_t steps;
    };
    for (const Case& k : {Case{1.0, 4}, Case{1.1, 5}, Case{0.25, 1}, Case{1e-9, 1}, Case{0, 0}, Case{-3, 0}}) {
        Lab lab;
        lab.c.shag = 0.25;
        lab.p.Tmax = k.Tmax;
        EXPECT_EQ(lab.run_it(), RunEnd::reached_tmax) << k.Tmax;
        EXPECT_EQ(lab.recorder.steps.size(), k.steps) << k.Tmax;
        EXPECT_EQ(lab.control.phase(), RunControl::Phase::ending);
        EXPECT_TRUE(lab.control.shows_stop()) << "the caption goes back only after the end steps";
    }
}

TEST(Run, AStopCompletesTheStepInProgress)
{
    for (const int at : {1, 3}) {
        Lab lab;
        lab.recorder.during_pause = [&lab, at](int step) {
            if (step == at)
                lab.control.request_stop();
        };
        EXPECT_EQ(lab.run_it(), RunEnd::stopped);
        EXPECT_EQ(lab.recorder.steps.size(), static_cast<std::size_t>(at));
        EXPECT_EQ(lab.s.t_f, lab.recorder.steps.back().t_f) << "the state is the last one shown";
        EXPECT_FALSE(lab.control.shows_stop());
    }
}

TEST(Run, TheProgramEndingAbandonsTheRun)
{
    Lab lab;
    lab.recorder.during_pause = [&lab](int step) {
        if (step == 2)
            lab.control.abandon();
    };
    EXPECT_EQ(lab.run_it(), RunEnd::abandoned);
    EXPECT_EQ(lab.recorder.steps.size(), 2u);
    EXPECT_TRUE(lab.control.abandoned());
    EXPECT_FALSE(lab.control.start());
}

TEST(Run, CharacteristicsRefusedDuringARunEndItAfterTheLastSoundStep)
{
    // A parameter file loaded in a pause may leave no motion, or a step that
    // would no longer advance the time.
    for (const auto& spoil : std::vector<std::function<void(Lab&)>>{
             [](Lab& lab) { lab.c.W02 = 0; },
             [](Lab& lab) { lab.c.shag = 0; },
             [](Lab& lab) { lab.c.shag = lab.p.Tmax * 1e-9; },
         }) {
        Lab lab;
        lab.recorder.during_pause = [&](int step) {
            if (step == 2)
                spoil(lab);
        };
        EXPECT_EQ(lab.run_it(), RunEnd::motion_undefined);
        EXPECT_EQ(lab.recorder.steps.size(), 2u);
        EXPECT_EQ(lab.s.t_f, lab.recorder.steps.back().t_f);
    }
}

TEST(Run, ChangesDuringAPauseTakeEffectAtTheNextStep)
{
    // A parameter file loaded during a run changes the step and Tmax.
    Lab lab;
    lab.c.shag = 0.25;
    lab.p.Tmax = 10;
    lab.recorder.during_pause = [&lab](int step) {
        if (step == 2) {
            lab.c.shag = 0.5;
            lab.p.Tmax = 2;
        }
    };
    lab.run_it();
    std::vector<double> times;
    for (const RunState& s : lab.recorder.steps)
        times.push_back(s.t_f);
    EXPECT_EQ(times, (std::vector<double>{0.25, 0.5, 1.0, 1.5, 2.0}));
}

TEST(RunControl, Transitions)
{
    using Phase = RunControl::Phase;
    RunControl c;
    EXPECT_FALSE(c.request_stop()) << "nothing to stop";
    EXPECT_TRUE(c.start());
    EXPECT_FALSE(c.start()) << "a run is going on";
    EXPECT_TRUE(c.continues());
    EXPECT_TRUE(c.request_stop());
    EXPECT_FALSE(c.request_stop()) << "a second press before the loop notices does nothing";
    EXPECT_FALSE(c.start()) << "nor does a start";
    EXPECT_FALSE(c.continues());
    c.end(RunEnd::stopped);
    EXPECT_EQ(c.phase(), Phase::ending);
    EXPECT_FALSE(c.start()) << "the run is ending";
    c.finish();
    EXPECT_EQ(c.phase(), Phase::idle);
    EXPECT_FALSE(c.shows_stop());
    c.finish();
    EXPECT_EQ(c.phase(), Phase::idle) << "finishing twice changes nothing";
}

} // namespace
} // namespace vp
