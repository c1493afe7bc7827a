// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/event_wait.h"

#include "platform/clock.h"

#include <QTimer>

#include <cmath>
#include <limits>

namespace vp {

void process_events_until(const Clock& clock, double due, QEventLoop::ProcessEventsFlags flags)
{
    for (;;) {
        const double left_ms = std::ceil((due - clock.seconds()) * 1000);
        if (!(left_ms > 0))
            return;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        // A coarse timer may fire 5 % late, which a run of hundreds of 10 ms
        // pauses would add up.
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(std::fmin(left_ms, std::numeric_limits<int>::max())));
        loop.exec(flags);
    }
}

} // namespace vp
