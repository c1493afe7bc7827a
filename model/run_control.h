// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// Why the integration loop ended.
enum class RunEnd {
    reached_tmax,     // the model time reached Tmax
    stopped,          // the user pressed the button again
    motion_undefined, // the characteristics changed during the run (a parameter file) to ones a run is refused for
    motion_failed,    // the next step would not have been a finite state: the run ends after the last sound one
    abandoned,        // the program is ending: no further step, nothing more shown
};

// The start/stop state of the laboratory. One button starts a run and, while
// it runs, asks it to stop; the loop finishes the step in progress before it
// notices. A press while a stop is pending, or while the run is ending, does
// nothing: it would otherwise start a run nested inside the one still ending.
//
//   idle --start--> running --request_stop--> stop_requested
//   running | stop_requested --end--> ending --finish--> idle
//   any --abandon--> abandoned (the program ends)
class RunControl {
public:
    enum class Phase { idle, running, stop_requested, ending, abandoned };

    Phase phase() const { return phase_; }

    // idle -> running; false (and nothing changes) in any other phase.
    bool start();
    // running -> stop_requested; false in any other phase.
    bool request_stop();
    // The loop has ended: running or stop_requested -> ending.
    void end(RunEnd why);
    // The window has unlocked itself after the end: ending -> idle.
    void finish();
    // The program is ending; nothing leaves this phase.
    void abandon() { phase_ = Phase::abandoned; }

    // The loop goes on with another step only while running.
    bool continues() const { return phase_ == Phase::running; }
    bool abandoned() const { return phase_ == Phase::abandoned; }
    // The button reads "СТОП" while a run may continue, and also while a run
    // that was not stopped by the user ends (its closing tone sounds before
    // the caption goes back): the caption follows the state, never the other
    // way round.
    bool shows_stop() const;

private:
    Phase phase_ = Phase::idle;
    RunEnd end_ = RunEnd::reached_tmax;
};

} // namespace vp
