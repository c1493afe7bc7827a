// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// The values a series takes: evenly spaced from one value to another, or in
// ratio (logarithmic spacing), or typed as a list.
enum class Spacing { linear, logarithmic };

inline constexpr int min_series_points = 2;
inline constexpr int max_series_points = 1000;

struct SeriesValues {
    std::vector<double> values;
    Spacing spacing = Spacing::linear;
    // Why there are none, in the program's words.
    std::string error;
};

// `count` values from `from` to `to`, both included exactly. Logarithmic
// spacing needs two values of one sign, not zero.
SeriesValues spaced_values(double from, double to, int count, Spacing spacing);

// A typed list: numbers separated by blanks, tabs, line ends or ";", each
// with "." or "," as its decimal separator. At most max_series_points of
// them, at least one. A list of positive numbers that grows in ratio rather
// than in steps is logarithmically spaced (the plot then takes log axes).
SeriesValues listed_values(std::string_view text);

// A whole text read as one number: a sign, digits with "." or "," before
// the decimals, an exponent; blanks around it. Nothing for anything else.
std::optional<double> read_value(std::string_view text);

} // namespace vp
