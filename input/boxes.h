// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameters.h"

#include <array>
#include <string>
#include <string_view>

namespace vp {

// The thirteen input boxes, in the order of the parameter panel. The same
// order serves the start-up defaults, the parameter file and the head of the
// results file.
enum class Box { Text1, Text4, Text7, Text8, Text2, Text6, Text9, Text34, Text3, Text5, Text18, Text19, Text20 };

inline constexpr int box_count = 13;

// The quantity each box edits, in the same order.
enum class Quantity {
    massa,
    diametr_2,
    diametr_1,
    c_shar,
    dlina,
    massa_st,
    diametr_s,
    c_ster,
    ro_0,
    eta,
    fi0,
    wz0,
    Tmax,
};

struct BoxInfo {
    Box box;
    std::string_view name; // "Text1"
    Quantity quantity;
    // Format of the text the box shows; empty for Text20, which shows the
    // plain number text.
    std::string_view display_mask;
    // The box's field in the parameter file and the format the loader writes
    // into the box (three decimals for the diameters and Tmax, eight for eta).
    int file_field;
    std::string_view file_mask;
    // Column 1 of the box's line in the head of the results file, where it is
    // not the caption of the box's label: the labels that carry a Greek
    // letter over their caption give a fixed text instead.
    std::string_view results_fixed_caption;
    // The caption of the box's label; a Greek letter over it (ρ, η, φ, ω)
    // stands on the blanks it begins with.
    std::string_view label_caption;
};

const std::array<BoxInfo, box_count>& box_table();
const BoxInfo& box_info(Box box);

double quantity(const Parameters& p, Quantity q);
double& quantity(Parameters& p, Quantity q);
double quantity(const Parameters& p, Box box);
double& quantity(Parameters& p, Box box);

// The text a box shows for a value: its display mask, or the plain number
// text for Text20.
std::string display_text(Box box, double value);

} // namespace vp
