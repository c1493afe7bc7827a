#pragma once

#include "platform/surface.h"

namespace vp::colours {

inline constexpr Rgb grid{128, 255, 128};   // light green of all grids
inline constexpr Rgb black{0, 0, 0};        // axes, outlines
inline constexpr Rgb curve{255, 0, 0};      // the three time curves
inline constexpr Rgb sphere{128, 0, 0};     // dark red of the sphere
inline constexpr Rgb cavity{255, 255, 255}; // its hollow inside
inline constexpr Rgb rod{0, 0, 192};
// Pure green: the plane never holds it, so copying the plane with it as the
// key colour covers the animation wholly.
inline constexpr Rgb plane_key{0, 255, 0};

} // namespace vp::colours
