// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run_control.h"

namespace vp {

bool RunControl::start()
{
    if (phase_ != Phase::idle)
        return false;
    phase_ = Phase::running;
    return true;
}

bool RunControl::request_stop()
{
    if (phase_ != Phase::running)
        return false;
    phase_ = Phase::stop_requested;
    return true;
}

void RunControl::end(RunEnd why)
{
    if (phase_ != Phase::running && phase_ != Phase::stop_requested)
        return;
    end_ = why;
    phase_ = Phase::ending;
}

void RunControl::finish()
{
    if (phase_ == Phase::ending)
        phase_ = Phase::idle;
}

bool RunControl::shows_stop() const
{
    switch (phase_) {
    case Phase::running: return true;
    case Phase::ending: return end_ != RunEnd::stopped;
    case Phase::idle:
    case Phase::stop_requested:
    case Phase::abandoned: return false;
    }
    return false;
}

} // namespace vp
