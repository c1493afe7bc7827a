// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/view.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

TEST(View, OptionButtonsChooseTheView)
{
    struct Case {
        bool option1, option2;
        View view;
    };
    for (const Case& c : {Case{true, false, View::animation}, Case{false, true, View::graphs},
                          Case{false, false, View::unchanged}, Case{true, true, View::animation}})
        EXPECT_EQ(chosen_view(c.option1, c.option2), c.view) << c.option1 << c.option2;
}

} // namespace
} // namespace vp
