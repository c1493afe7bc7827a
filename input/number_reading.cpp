// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/number_reading.h"

#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

namespace vp {

NumberReading read_number(std::string_view text)
{
    std::string s;
    s.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            s.push_back(c);
    }

    auto is_digit = [](char c) { return c >= '0' && c <= '9'; };
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        negative = s[i++] == '-';

    std::string mantissa;
    // The first non-zero digit stands at the place 10^(leading_place - 1).
    long long leading_place = 0;
    bool seen_nonzero = false;
    std::size_t digit_count = 0;
    for (; i < s.size() && is_digit(s[i]); ++i, ++digit_count) {
        mantissa.push_back(s[i]);
        if (seen_nonzero || s[i] != '0') {
            seen_nonzero = true;
            ++leading_place;
        }
    }
    if (i < s.size() && s[i] == '.') {
        std::size_t j = i + 1;
        std::string fraction;
        for (; j < s.size() && is_digit(s[j]); ++j) {
            fraction.push_back(s[j]);
            if (!seen_nonzero) {
                if (s[j] == '0')
                    --leading_place;
                else
                    seen_nonzero = true;
            }
        }
        if (!fraction.empty()) {
            mantissa += "." + fraction;
            digit_count += fraction.size();
        }
        if (!fraction.empty() || digit_count > 0)
            i = j;
    }
    if (digit_count == 0)
        return {};

    long long exponent = 0;
    if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
        std::size_t j = i + 1;
        bool exponent_negative = false;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            exponent_negative = s[j++] == '-';
        if (j < s.size() && is_digit(s[j])) {
            for (; j < s.size() && is_digit(s[j]); ++j) {
                if (exponent < 1000000000LL)
                    exponent = exponent * 10 + (s[j] - '0');
            }
            if (exponent_negative)
                exponent = -exponent;
        }
    }
    if (!seen_nonzero)
        return {negative ? -0.0 : 0.0, true};

    const std::string normalized = mantissa + "e" + std::to_string(exponent);
    double value = 0;
    const auto [end, error] = std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
    (void)end;
    if (error == std::errc::result_out_of_range || !std::isfinite(value)) {
        // Too large or too small for a double: which one the decimal
        // exponent of the leading digit tells.
        if (leading_place + exponent > 0)
            return {0, false};
        return {negative ? -0.0 : 0.0, true};
    }
    return {negative ? -value : value, true};
}

} // namespace vp
