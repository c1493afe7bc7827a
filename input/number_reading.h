// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vp {

// Reading a box text as a number: blanks, tabs and line feeds are skipped
// wherever they stand; then the longest leading piece of the form
//   [+|-] digits [. digits] [(E|e|D|d) [+|-] digits]
// is the value (the point may have digits on one side only). Text that does
// not begin with a number reads 0; "1,5" reads 1. A value too small for a
// double reads as 0; one too large has in_range = false and value 0.
struct NumberReading {
    double value = 0;
    bool in_range = true;
};
NumberReading read_number(std::string_view text);

} // namespace vp
