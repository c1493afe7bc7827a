// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QEventLoop>

namespace vp {

class Clock;

// Runs window events (those the flags let through) until the clock reaches
// `due`, in seconds. Each nested loop is ended by a precise timer set to
// what is left by the clock, so the wait ends by the clock, not by the
// timer: one that fires early only starts another, shorter loop. Returns at
// once when the clock is already there.
void process_events_until(const Clock& clock, double due, QEventLoop::ProcessEventsFlags flags);

} // namespace vp
