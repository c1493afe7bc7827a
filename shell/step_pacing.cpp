// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/step_pacing.h"

#include <algorithm>
#include <cmath>

namespace vp {

int StepPacing::pause_ms(double now, double seconds)
{
    // A pause rounded down to whole milliseconds may end up to half a
    // millisecond early; that is still on schedule.
    constexpr double rounding = 0.0005;
    double due = due_ + seconds;
    if (!started_ || due < now || due > now + seconds + rounding)
        due = now + seconds;
    started_ = true;
    due_ = due;
    // At least a millisecond, so that every pause lets the window's events
    // through even when a step's drawing takes nearly the whole period.
    const long milliseconds = std::lround((due - now) * 1000);
    return static_cast<int>(seconds > 0 ? std::max(1L, milliseconds) : milliseconds);
}

} // namespace vp
