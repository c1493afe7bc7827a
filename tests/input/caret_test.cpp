// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/caret.h"

#include <gtest/gtest.h>

#include <string>

namespace vp {
namespace {

TEST(Caret, StaysAmongTheCharactersTyped)
{
    struct Case {
        const char16_t* edited; // "|" marks the caret
        const char16_t* written;
        int caret;
    };
    const Case cases[] = {
        {u"2|", u" 2", 2},               // a blank put before: counted from the end
        {u"4|", u"4.000", 1},            // decimals put after: counted from the left
        {u"15.7|4990", u"15.7499", 4},   // a digit dropped at the end
        {u"15.49901|", u"15.4990", 7},   // past the new end: at the end
        {u"154|990", u"154990.0000", 3}, // a point and decimals added
        {u"|16", u" 16", 1},             // before the kept end, not the empty start
        {u"03|.000", u"3.000", 1},       // a leading zero dropped
        {u"-|15.4990", u"15.4990", 0},   // a refused sign
        {u"2| 16", u" 216", 2},          // in the replaced middle: after the new text
        {u"0.0|1", u"40", 2},            // all replaced
        {u"|abc", u"0", 0},
    };
    for (const Case& c : cases) {
        std::u16string edited = c.edited;
        const auto at = static_cast<int>(edited.find(u'|'));
        edited.erase(static_cast<std::size_t>(at), 1);
        EXPECT_EQ(caret_after_write_back(edited, at, c.written), c.caret)
            << std::string(edited.begin(), edited.end()) << " caret " << at;
    }
    EXPECT_EQ(caret_after_write_back(u"12", 9, u"12.0"), 2) << "a caret beyond the text is at its end";
}

} // namespace
} // namespace vp
