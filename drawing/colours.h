// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/surface.h"

// The program's colours, as (red, green, blue).
namespace vp::colours {

// Pictures.
inline constexpr Rgb grid{128, 255, 128};   // light green of all grids
inline constexpr Rgb black{0, 0, 0};        // axes, outlines
inline constexpr Rgb white{255, 255, 255};  // backgrounds of the plane and two graphs
inline constexpr Rgb curve{255, 0, 0};      // the three time curves
inline constexpr Rgb sphere{128, 0, 0};     // dark red of the sphere
inline constexpr Rgb cavity{255, 255, 255}; // its hollow inside
inline constexpr Rgb rod{0, 0, 192};
// Pure green: the plane never holds it, so copying the plane with it as the
// key colour covers the animation wholly.
inline constexpr Rgb plane_key{0, 255, 0};

// The window.
inline constexpr Rgb light_grey{224, 224, 224};   // the window, the plain labels
inline constexpr Rgb light_yellow{255, 255, 192}; // input boxes
inline constexpr Rgb light_cyan{192, 255, 255};   // characteristics and current values

} // namespace vp::colours
