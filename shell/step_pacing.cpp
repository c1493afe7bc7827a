#include "shell/step_pacing.h"

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
    return static_cast<int>(std::lround((due - now) * 1000));
}

} // namespace vp
