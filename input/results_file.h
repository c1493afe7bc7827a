// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/quantity_table.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

inline constexpr std::string_view results_file_name = "vibrel_out.txt";
// Where a tick keeps the file of the run before, rows and all.
inline constexpr std::string_view previous_results_file_name = "vibrel_out.prev.txt";

// The lines of the results file, as UTF-8 without line ends; the file itself
// is written in Windows-1251 with CR LF, one byte per character, so columns
// count characters, not UTF-8 bytes.

// Items placed in print columns 14 characters wide: the first at column 1,
// each further one at the next column 1 + 14k that leaves at least one blank
// after the item before (items of up to 13 characters keep the columns 1, 15,
// 29, 43). The line ends with its last item, without trailing blanks.
std::string print_line(const std::vector<std::string>& items);

inline constexpr int results_head_lines = 16;

// The 16 head lines: the heading, one line per quantity in the order of the
// quantity table (the caption of its label, or its fixed text where a Greek
// letter lies over the label, then the box text as displayed), and the two
// lines over the rows.
std::vector<std::string> results_head(const std::array<std::string, quantity_count>& box_texts);

// One row per integration step: t_f, the angle in degrees, wz_new and W_poln,
// each "0.0000e+00" with the given decimal separator.
std::string results_row(double t_f, double fi_degrees, double wz_new, float W_poln, std::string_view decimal_separator);

} // namespace vp
