// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/run_check.h"

#include <cmath>
#include <limits>

namespace vp {

bool fits_single(double v)
{
    return std::isfinite(v) && std::fabs(v) <= std::numeric_limits<float>::max();
}

double run_steps(double Tmax, double shag)
{
    return Tmax > 0 ? std::ceil(Tmax / shag) : 0;
}

RunRefusal run_refusal(const Parameters& p, const Characteristics& c)
{
    if (!motion_defined(c))
        return RunRefusal::motion_undefined;
    const double single_precision[] = {c.W_00, c.W_min, c.Amp_fi, c.Amp_wz, c.x_c_m, p.fi0, p.wz0};
    for (double v : single_precision) {
        if (!fits_single(v))
            return RunRefusal::out_of_range;
    }
    if (!(run_steps(p.Tmax, c.shag) <= max_run_steps))
        return RunRefusal::too_long;
    return RunRefusal::none;
}

} // namespace vp
