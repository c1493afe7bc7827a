// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vp {

// Where the caret of a box goes when its change handler rewrites the text
// the user's edit has just left (`edited`, the caret at `caret`) into the
// box's own format (`written`). A box is read at every keystroke, so the
// caret must stay among the characters the user typed: after "2" typed
// over the whole of Text20 the box shows " 2", after "4" typed over Text18
// it shows "4.000", and the next digit must follow the first in both.
//
// The rewrite keeps a piece at the start and a piece at the end of the
// text and replaces what lies between. A caret after a character of the
// kept start keeps its place counted from the left; otherwise a caret
// before the kept end keeps its place counted from the end; a caret in the
// replaced middle stands after the text that replaced it. Positions count
// UTF-16 units, as a box does.
int caret_after_write_back(std::u16string_view edited, int caret, std::u16string_view written);

} // namespace vp
