// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vp {

// Number texts of the program. All of them write "." as the decimal point;
// with_decimal_separator() puts the locale's separator in where a text wants
// it. Reading a box's text back is done by input/number_reading.h.
//
// Rounding is done on the decimal value of the number as it reads with 15
// significant digits, halves away from zero, as a person rounds: 2.675 with
// two decimals gives 2.68 although the nearest double lies just below 2.675.

// Formats by a picture mask:
//   fixed       "0.00", "0.0000", "#0.000", " 0" (literal blank, then digits)
//   scientific  "0.000E+00", "0.0000e+00" (exponent letter as written, sign
//               always, at least as many exponent digits as zeros)
// At least one digit stands before the point when the mask has a "0" there.
// A value that rounds to zero carries no minus sign.
std::string format_number(double value, std::string_view mask);

// The plain number text of a quantity in a box: one leading blank for a value
// that is not negative, no zero before the point (" .5", "-.5"), up to 15
// significant digits without trailing zeros, and the E form (" 1E-05",
// " 1.5E+15") when the decimal exponent is below -4 or at least 15.
std::string plain_number_text(double value);

// The same without the leading blank of non-negative values ("1", "100", "-3.5").
std::string bare_number_text(double value);

// The form a Russian noun takes after the whole number n: 1, 21, 101 шаг;
// 2, 3, 4, 22 шага; 0, 5 to 20, 25, 111 шагов.
std::string_view plural_form(long long n, std::string_view one, std::string_view few, std::string_view many);

// Replaces every "." of a number text by the given separator.
std::string with_decimal_separator(std::string text, std::string_view separator);

} // namespace vp
