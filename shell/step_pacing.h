// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// Keeps a run at one step per pause period on the wall clock. Each step
// computes and draws before its pause; waiting the whole period after that
// work would stretch every step by it, a few per cent over a run. So each
// pause ends one period after the previous one was due to end, and the
// pause asked of the timer is what is left of the period. Rounding the pause
// to whole milliseconds leaves a remainder that the next pauses make up.
class StepPacing {
public:
    // A new run: the first pause lasts a whole period.
    void restart() { started_ = false; }

    // The pause in milliseconds before the next step, at monotonic time
    // `now` (seconds), for a period of `seconds`. A step that took longer
    // than a whole period, or a clock that has not moved (a modal box
    // answered, a paused clock in a test), starts the schedule afresh
    // instead of rushing the following steps. A positive period never gives
    // less than 1 ms.
    int pause_ms(double now, double seconds);

private:
    bool started_ = false;
    double due_ = 0;
};

} // namespace vp
