// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// The laboratory's constants. pi carries ten decimals, not the full double
// value: every geometric and periodic result the program shows is computed
// with this value, and the label texts depend on it in their last digit.
inline constexpr double pi = 3.1415926536;
inline constexpr double two_pi = 6.2831853072;
inline constexpr double three_pi = 9.4247779608;

// Acceleration of gravity, m/s^2.
inline constexpr double g = 9.814;

// Degrees to radians with the ten-decimal pi above (not pi/180 of <cmath>).
inline constexpr double k_grad_rad = 3.1415926536 / 180;

} // namespace vp
