// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/equations.h"

#include <cmath>

namespace vp {

float ff_1(double /*t_f*/, double /*fi_f*/, double wz_f)
{
    return static_cast<float>(wz_f);
}

float ff_2(const MotionCoefficients& k, double /*t_f*/, double fi_f, double wz_f)
{
    // The grouping fixes the rounding: the two drag terms first, then gravity.
    const double drag = (-2 * k.delta) * wz_f - wz_f * (std::fabs(wz_f) * k.fi_2_x);
    return static_cast<float>(drag - k.W02 * std::sin(fi_f));
}

} // namespace vp
