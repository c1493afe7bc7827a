// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/scales.h"

#include "drawing/surface.h"

namespace vp {

Scales compute_scales(const Parameters& p, const Characteristics& c, const ZoomSettings& zoom)
{
    Scales s;
    s.y_bottom = p.dlina * 1.1;
    s.y_top = -s.y_bottom;
    s.x_right = s.y_bottom;
    s.x_left = -s.x_right;

    s.fi_top = c.Amp_fi / zoom.k_fi;
    s.fi_bottom = -s.fi_top;

    s.wz_top = c.Amp_wz / zoom.k_wz;
    s.wz_bottom = -s.wz_top;

    // Each end moves towards the middle by the part of the range the zoom
    // hides. For k_W = 1 the inset is an exact zero, so the ends are W_00 and
    // W_min to the bit even where the range itself is not finite.
    const double range = c.W_00 - c.W_min;
    const double inset = zoom.k_W == 1 ? 0.0 : range * (1 - 1 / static_cast<double>(zoom.k_W)) / 2;
    s.W_top = c.W_00 - inset;
    s.W_bottom = static_cast<float>(c.W_min + inset);
    s.W_mid = c.W_00 - range / 2;

    s.shag_t = c.T0;
    s.n_periodov = p.Tmax / c.T0;
    return s;
}

void apply_scales(const Scales& s, double Tmax, const Pictures& pictures)
{
    pictures.Picture1.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    pictures.Picture2.set_scale(s.x_left, s.y_top, s.x_right, s.y_bottom);
    pictures.Picture3.set_scale(0, s.fi_top, Tmax, s.fi_bottom);
    pictures.Picture4.set_scale(0, s.wz_top, Tmax, s.wz_bottom);
    pictures.Picture14.set_scale(0, s.W_top, Tmax, s.W_bottom);
}

void minmax(const Parameters& p, const Characteristics& c, const ZoomSettings& zoom, Scales& s,
            const Pictures& pictures)
{
    s = compute_scales(p, c, zoom);
    apply_scales(s, p.Tmax, pictures);
}

} // namespace vp
