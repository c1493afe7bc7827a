// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layout.h"

#include "input/quantity_table.h"
#include "texts/characteristic_table.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace vp {
namespace {

// The controls of a row of the quantity or the characteristic table, looked
// up by name once.
template <typename Row>
struct RowControls {
    const Row* row = nullptr;
    Ctl label{};
    std::optional<Ctl> overlay;
};

template <typename Row>
RowControls<Row> controls_of(const Row& row)
{
    return {&row, control_named(row.label),
            row.overlay.name.empty() ? std::nullopt : std::optional<Ctl>(control_named(row.overlay.name))};
}

struct InputRowControls : RowControls<QuantityRow> {
    Ctl box{};
};

const std::array<InputRowControls, quantity_count>& input_row_controls()
{
    static const std::array<InputRowControls, quantity_count> rows = [] {
        std::array<InputRowControls, quantity_count> out{};
        for (const QuantityRow& row : quantity_table())
            out[static_cast<std::size_t>(row.quantity)] = {controls_of(row), control_named(row.box)};
        return out;
    }();
    return rows;
}

const std::array<RowControls<CharacteristicRow>, characteristic_count>& characteristic_row_controls()
{
    static const std::array<RowControls<CharacteristicRow>, characteristic_count> rows = [] {
        std::array<RowControls<CharacteristicRow>, characteristic_count> out{};
        for (const CharacteristicRow& row : characteristic_table())
            out[static_cast<std::size_t>(row.characteristic)] = controls_of(row);
        return out;
    }();
    return rows;
}

} // namespace

const PlaceF* WindowLayout::find(Ctl control) const
{
    for (const auto& p : placements) {
        if (p.control == control)
            return &p.place;
    }
    return nullptr;
}

WindowLayout layout(int scale_width, int scale_height)
{
    WindowLayout out;
    auto& all = out.placements;
    auto put = [&](Ctl control, float left, float top, float width, float height) -> PlaceF {
        all.push_back({control, {left, top, width, height}});
        return all.back().place;
    };

    const float otstup_x = 4;
    const float otstup_y = 4;
    const float L_Width = 84;
    const float L_Height = 26;
    const float row = L_Height + otstup_y;
    const auto SW = static_cast<float>(scale_width);
    const auto SH = static_cast<float>(scale_height);

    // Parameter panel: a heading and thirteen rows of label and box.
    const PlaceF label10 = put(Ctl::Label10, SW - 2 * (2 * L_Width) - 2 * otstup_x, otstup_y, 2 * L_Width, L_Height);
    const float label1_left = label10.left;
    const float label1_top = label10.top + L_Height + otstup_y;
    const float text1_left = label1_left + L_Width;
    PlaceF label20;
    for (const InputRowControls& r : input_row_controls()) {
        const float top = label1_top + static_cast<float>(static_cast<int>(r.row->quantity)) * row;
        const PlaceF label = put(r.label, label1_left, top, L_Width, L_Height);
        put(r.box, text1_left, top, L_Width, L_Height);
        if (r.overlay)
            put(*r.overlay, label.left, label.top - r.row->overlay.rise, r.row->overlay.width, L_Height);
        label20 = label;
    }

    // Characteristics column: a heading and sixteen labels, some with the
    // Greek letter of their quantity laid over the left end.
    const PlaceF label11 = put(Ctl::Label11, label10.left + label10.width + otstup_x, otstup_y, 2 * L_Width, L_Height);
    const float column_width = 2 * L_Width;
    for (const RowControls<CharacteristicRow>& r : characteristic_row_controls()) {
        const int j = static_cast<int>(r.row->characteristic) + 1;
        const PlaceF label =
            put(r.label, label11.left, label11.top + static_cast<float>(j) * row, column_width, L_Height);
        if (r.overlay)
            put(*r.overlay, label.left + 2, label.top - r.row->overlay.rise, r.row->overlay.width, label.height);
    }

    // Current values at the bottom left.
    const PlaceF label29 = put(Ctl::Label29, otstup_x, SH - 2 * L_Height - 2 * otstup_y, column_width, L_Height);
    const PlaceF label30 = put(Ctl::Label30, otstup_x, SH - L_Height - otstup_y, column_width, L_Height);
    const PlaceF label31 =
        put(Ctl::Label31, label29.left + label29.width + otstup_x, label29.top, column_width, L_Height);
    put(Ctl::Label37, label31.left, label30.top, column_width, L_Height);

    // Run controls under the input rows.
    const PlaceF hscroll1 =
        put(Ctl::HScroll1, label20.left, label20.top + label20.height + otstup_y, L_Width - otstup_x, L_Height / 2);
    const float label21_width = L_Width / 4;
    const PlaceF label21 = put(Ctl::Label21, hscroll1.left + hscroll1.width / 2 - label21_width / 2 + 6,
                               hscroll1.top + hscroll1.height, label21_width, L_Height);
    const PlaceF hscroll2 = put(Ctl::HScroll2, hscroll1.left + hscroll1.width + 2 * otstup_x, hscroll1.top,
                                L_Width - otstup_x, L_Height / 2);
    const float label32_width = L_Width / 2;
    put(Ctl::Label32, hscroll2.left + hscroll2.width / 2 - label32_width / 2 + 6, hscroll2.top + hscroll2.height,
        label32_width, L_Height);
    const PlaceF frame1 =
        put(Ctl::Frame1, hscroll1.left, label21.top + label21.height + otstup_y, 1.16f * L_Width, 2.4f * L_Height);
    const PlaceF cmd_ok = put(Ctl::CmdOK, frame1.left + frame1.width + otstup_x, frame1.top, 0.8f * L_Width, L_Height);
    put(Ctl::Check_p, cmd_ok.left, cmd_ok.top + cmd_ok.height + otstup_y, cmd_ok.width, L_Height);

    // The drawing area: the plane and the animation share one square; the
    // three graphs share it in thirds, each with its zoom bar on the left.
    // The square takes the width left of the panels, but a wide, low window
    // would push it down over the current values: it then takes the height
    // above them.
    const float side = std::min(label10.left - 2 * otstup_x, label29.top - otstup_y);
    const PlaceF picture1 = put(Ctl::Picture1, otstup_x, otstup_y, side, side);
    put(Ctl::Picture2, otstup_x, otstup_y, side, side);
    const PlaceF vscroll1 = put(Ctl::VScroll1, otstup_x, otstup_y, L_Height / 2, picture1.height / 3 - otstup_y);
    const PlaceF picture3 = put(Ctl::Picture3, vscroll1.left + vscroll1.width, otstup_y,
                                picture1.width - vscroll1.width - otstup_x, vscroll1.height);
    const PlaceF vscroll2 =
        put(Ctl::VScroll2, vscroll1.left, vscroll1.height + 2 * otstup_y, vscroll1.width, picture3.height);
    put(Ctl::Picture4, picture3.left, vscroll2.top, picture3.width, picture3.height);
    const PlaceF vscroll3 =
        put(Ctl::VScroll3, vscroll1.left, 2 * vscroll1.height + 3 * otstup_y, vscroll1.width, picture3.height);
    put(Ctl::Picture14, picture3.left, vscroll3.top, picture3.width, picture3.height);

    const ControlRect plane = to_pixels(picture1);
    out.plane_copy = {0, 0, plane.width, plane.height, 0, 0, plane.width, static_cast<float>(plane.height)};
    return out;
}

ClientSize minimum_client_size()
{
    // Measured on a pass: the current values and the panels side by side,
    // and the panels' lowest control inside.
    const WindowLayout pass = layout(0, 0);
    auto right = [&](Ctl c) { return pass.find(c)->left + pass.find(c)->width; };
    auto bottom = [&](Ctl c) { return pass.find(c)->top + pass.find(c)->height; };
    const float readouts = std::max(right(Ctl::Label31), right(Ctl::Label37));
    const float panels = -pass.find(Ctl::Label10)->left;
    float lowest = 0;
    for (const Placement& p : pass.placements) {
        if (p.place.left >= pass.find(Ctl::Label10)->left && p.place.top >= 0)
            lowest = std::max(lowest, bottom(p.control));
    }
    const auto whole = [](float v) { return static_cast<int>(std::ceil(v)); };
    return {whole(readouts + pass.find(Ctl::Label29)->left + panels), whole(lowest)};
}

ControlRect to_pixels(const PlaceF& place)
{
    auto edge = [](float v) { return static_cast<int>(std::lround(v)); };
    ControlRect r;
    r.left = edge(place.left);
    r.top = edge(place.top);
    r.width = place.width > 0 ? std::max(0, edge(place.left + place.width) - r.left) : 0;
    r.height = place.height > 0 ? std::max(0, edge(place.top + place.height) - r.top) : 0;
    return r;
}

} // namespace vp
