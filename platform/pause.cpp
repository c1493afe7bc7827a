// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pause.h"

#include "platform/clock.h"
#include "platform/event_wait.h"

namespace vp {

void EventLoopPause::wait(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    process_events_until(clock_, clock_.seconds() + milliseconds / 1000.0, QEventLoop::AllEvents);
}

} // namespace vp
