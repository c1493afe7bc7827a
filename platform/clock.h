// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

namespace vp {

// A monotonic clock in seconds: the computing time of a run is measured with
// it, so that a run across a full hour or a change of the system time still
// reports the time it took. And the calendar's day, which dates a report.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
    virtual QDate today() const = 0;
};

class SteadyClock final : public Clock {
public:
    double seconds() const override;
    QDate today() const override { return QDate::currentDate(); }
};

} // namespace vp
