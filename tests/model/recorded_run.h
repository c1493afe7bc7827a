// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A run without a window: the laboratory's state and an observer that
// records each step and may play the user at the button during its pause.
#include "model/run.h"
#include "tests/support/default_lab.h"

#include <functional>
#include <vector>

namespace vp::testing {

struct Recorder final : RunObserver {
    std::vector<RunState> steps;
    // Called after each recorded step, as the window's pause would be.
    std::function<void(int step)> during_pause;

    void step_done(const RunState& s) override
    {
        steps.push_back(s);
        if (during_pause)
            during_pause(static_cast<int>(steps.size()));
    }
};

// The defaults until a test changes them (then parametr() again).
struct RecordedRun : DefaultLab {
    RunState s;
    RunControl control;
    Recorder recorder;

    RunEnd run_it()
    {
        control.start();
        return raschet(s, p, c, control, recorder);
    }
};

} // namespace vp::testing
