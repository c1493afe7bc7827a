// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/view.h"

#include <QWidget>

#include <gtest/gtest.h>

#include <memory>

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

TEST(View, ShowsOneSetAndHidesTheOther)
{
    QWidget window;
    std::array<QWidget*, 2> animation{};
    std::array<QWidget*, 6> graphs{};
    for (auto& w : animation)
        w = new QWidget(&window);
    for (auto& w : graphs)
        w = new QWidget(&window);
    window.show();
    auto visible = [](const auto& set, bool expected) {
        for (QWidget* w : set)
            EXPECT_EQ(w->isVisible(), expected);
    };

    apply_view(View::graphs, animation, graphs);
    visible(animation, false);
    visible(graphs, true);
    apply_view(View::unchanged, animation, graphs);
    visible(animation, false);
    visible(graphs, true);
    apply_view(View::animation, animation, graphs);
    visible(animation, true);
    visible(graphs, false);

    graphs[5] = nullptr; // a window without its last zoom bar yet
    apply_view(View::graphs, animation, graphs);
    visible(animation, false);
}

} // namespace
} // namespace vp
