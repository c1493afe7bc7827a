// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// A monotonic clock in seconds: the computing time of a run is measured with
// it, so that a run across a full hour or a change of the system time still
// reports the time it took.
class Clock {
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public Clock {
public:
    double seconds() const override;
};

} // namespace vp
