// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/pictures.h"

#include "graphs/scene.h"
#include "graphs/time_graphs.h"

namespace vp {

void draw_pictures(const Pictures& all, const Parameters& p, const Characteristics& c, const ZoomSettings& zoom,
                   const PlaneCopyRects& plane_copy, std::string_view decimal_separator)
{
    Scales scales;
    minmax(p, c, zoom, scales, all);
    axes(all.Picture1, scales, p, c, zoom, decimal_separator);
    axes_2(all.Picture2, all.Picture1, plane_copy, p, c);
    axes_x_t(all.Picture3, scales, p, zoom, decimal_separator);
    axes_y_t(all.Picture4, scales, p, zoom, decimal_separator);
    axes_W_t(all.Picture14, scales, p, c, zoom, decimal_separator);
}

} // namespace vp
