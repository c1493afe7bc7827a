// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/caret.h"

#include <algorithm>

namespace vp {

int caret_after_write_back(std::u16string_view edited, int caret, std::u16string_view written)
{
    const std::size_t n = edited.size();
    const std::size_t m = written.size();
    const std::size_t at = static_cast<std::size_t>(std::clamp(caret, 0, static_cast<int>(n)));
    std::size_t prefix = 0;
    while (prefix < std::min(n, m) && edited[prefix] == written[prefix])
        ++prefix;
    // The kept end does not reach into the kept start.
    std::size_t suffix = 0;
    while (suffix < std::min(n, m) - prefix && edited[n - 1 - suffix] == written[m - 1 - suffix])
        ++suffix;
    // The caret goes with the character it follows, the one just typed, or
    // else with those it precedes.
    if (at > 0 && at <= prefix)
        return static_cast<int>(at);
    if (n - at <= suffix)
        return static_cast<int>(m - (n - at));
    if (at == 0)
        return 0;
    return static_cast<int>(m - suffix);
}

} // namespace vp
