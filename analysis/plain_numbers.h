// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace vp {

// Number texts for other programs to read: always "." as the decimal point
// and no digit grouping, whatever the C library's locale (they are written
// by std::to_chars, which ignores it; printf and streams do not).

// The shortest text that reads back as exactly this value ("0.1", "1e-05",
// "298.79"); a float gives the digits of the float, not of its double.
std::string shortest_text(double value);
std::string shortest_text(float value);

// Nine significant digits without trailing zeros, as "%.9g" writes them in
// the C locale ("2.17081309", "0.000118597", "1.5e-05").
std::string nine_digit_text(double value);

} // namespace vp
