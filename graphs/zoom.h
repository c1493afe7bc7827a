// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// The zoom divisor a graph's vertical scroll bar sets: a positive value v
// magnifies v times, a negative one shrinks |v| times, and -1, 0 and 1 all
// mean no zoom. The energy graph stores it in single precision.
constexpr double zoom_divisor(int v)
{
    if (v < 0)
        return 1.0 / -v;
    if (v > 0)
        return v;
    return 1;
}

} // namespace vp
