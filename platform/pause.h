// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

class Clock;

// A pause during which window events keep flowing, so that the start/stop
// button, the slow-down bar, the view buttons and the menus work while a run
// waits between its steps.
class Pause {
public:
    virtual ~Pause() = default;
    // Returns at once, without processing events, for milliseconds <= 0.
    virtual void wait(int milliseconds) = 0;
};

// Nested event loops ended by precise single-shot timers, until the clock
// has moved on by the pause. A modal box opened inside it holds the pause
// until it is answered.
class EventLoopPause final : public Pause {
public:
    explicit EventLoopPause(const Clock& clock) : clock_(clock) {}
    void wait(int milliseconds) override;

private:
    const Clock& clock_;
};

} // namespace vp
