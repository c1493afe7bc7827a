// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// A pause during which window events keep flowing, so that the start/stop
// button, the slow-down bar, the view buttons and the menus work while a run
// waits between its steps.
class Pause {
public:
    virtual ~Pause() = default;
    // Returns at once, without processing events, for milliseconds <= 0.
    virtual void wait(int milliseconds) = 0;
};

// A nested event loop ended by a precise single-shot timer. A modal box
// opened inside it holds the pause until it is answered.
class EventLoopPause final : public Pause {
public:
    void wait(int milliseconds) override;
};

} // namespace vp
