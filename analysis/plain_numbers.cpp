// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/plain_numbers.h"

#include <charconv>

namespace vp {

std::string shortest_text(double value)
{
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string shortest_text(float value)
{
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string nine_digit_text(double value)
{
    char buffer[32];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 9).ptr};
}

} // namespace vp
