// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/readout.h"

#include "texts/number_text.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// Enough decimals to tell neighbouring pixels apart, at least `least`; a
// pointer cannot say more than that.
std::string number(double value, double units_per_pixel, int least, std::string_view separator)
{
    int decimals = least;
    if (std::isfinite(units_per_pixel) && units_per_pixel > 0)
        decimals = std::clamp(static_cast<int>(std::ceil(-std::log10(units_per_pixel))), least, 6);
    std::string mask = "0.";
    mask.append(static_cast<std::size_t>(decimals), '0');
    return with_decimal_separator(format_number(value, mask), separator);
}

struct Curve {
    RunColumn quantity;
    const char* name;
    const char* unit;
    int decimals;
};

Curve curve_of(PictureKind kind)
{
    switch (kind) {
    case PictureKind::angular_velocity: return {RunColumn::wz, "wz", " рад/с", 3};
    case PictureKind::energy: return {RunColumn::W, "W", " Дж", 2};
    default: break;
    }
    return {RunColumn::fi_deg, "fi", " °", 2};
}

} // namespace

ReadoutPoint logical_point(const CoordinateMapping& m, double px, double py)
{
    return {m.rect().left + px / m.x_scale(), m.rect().top + py / m.y_scale()};
}

std::string readout_text(PictureKind kind, const CoordinateMapping& m, double px, double py, const RunRecord& run,
                         std::string_view s)
{
    const ReadoutPoint p = logical_point(m, px, py);
    const double per_px_x = 1 / std::abs(m.x_scale());
    const double per_px_y = 1 / std::abs(m.y_scale());
    if (kind == PictureKind::plane)
        return "X = " + number(p.y, per_px_y, 3, s) + " м   Y = " + number(p.x, per_px_x, 3, s) + " м";

    const Curve c = curve_of(kind);
    std::string text =
        "t = " + number(p.x, per_px_x, 3, s) + " c   " + c.name + " = " + number(p.y, per_px_y, c.decimals, s) + c.unit;
    if (const std::optional<double> v = run.value_at(p.x, c.quantity))
        text += std::string("\nрасчёт: ") + c.name + " = " + number(*v, per_px_y, c.decimals, s) + c.unit;
    return text;
}

} // namespace vp
