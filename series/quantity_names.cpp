// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/quantity_names.h"

#include <array>

namespace vp {
namespace {

struct Names {
    std::string_view name;
    std::string_view label;
};

// In the order of Quantity. The labels are the boxes' captions as the panel
// shows them, the letters standing over their blanks put in, without the
// closing "=".
constexpr std::array<Names, box_count> names = {{
    {"massa", "m (кг)"},
    {"diametr_2", "d2 (м)"},
    {"diametr_1", "d1 (м)"},
    {"c_shar", "с_сф"},
    {"dlina", "L (м)"},
    {"massa_st", "М (кг)"},
    {"diametr_s", "D (м)"},
    {"c_ster", "с_ст"},
    {"ro_0", "ρo (кг/м3)"},
    {"eta", "η (Па·с)"},
    {"fi0", "φo (°)"},
    {"wz0", "ωzo (рад/с)"},
    {"Tmax", "Т (с)"},
}};

std::size_t index(Quantity q)
{
    return static_cast<std::size_t>(q);
}

} // namespace

std::string_view quantity_name(Quantity q)
{
    return names[index(q)].name;
}

std::optional<Quantity> quantity_named(std::string_view name)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i].name == name)
            return box_table()[i].quantity;
    }
    return std::nullopt;
}

std::string_view quantity_label(Quantity q)
{
    return names[index(q)].label;
}

const BoxInfo& box_of(Quantity q)
{
    return box_table()[index(q)];
}

} // namespace vp
