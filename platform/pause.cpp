// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/pause.h"

#include <QEventLoop>
#include <QTimer>

namespace vp {

void EventLoopPause::wait(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer timer;
    timer.setSingleShot(true);
    // A coarse timer may fire 5 % late, which a run of hundreds of 10 ms
    // pauses would add up.
    timer.setTimerType(Qt::PreciseTimer);
    QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
    timer.start(milliseconds);
    loop.exec();
}

} // namespace vp
