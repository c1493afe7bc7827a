// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace vp {

// A text without the spaces it begins and ends with: box texts are padded
// with them to stand right-aligned, and the blanks a caption begins with
// are where a Greek letter is drawn over it.
inline std::string_view without_padding(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}

} // namespace vp
