// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/view.h"

#include <QWidget>

namespace vp {
namespace {

template <std::size_t N>
void set_visible(const std::array<QWidget*, N>& widgets, bool visible)
{
    for (QWidget* w : widgets) {
        if (w != nullptr)
            w->setVisible(visible);
    }
}

} // namespace

View chosen_view(bool option1_selected, bool option2_selected)
{
    if (option1_selected)
        return View::animation;
    if (option2_selected)
        return View::graphs;
    return View::unchanged;
}

void apply_view(View view, const std::array<QWidget*, 2>& animation, const std::array<QWidget*, 6>& graphs)
{
    if (view == View::unchanged)
        return;
    const bool show_animation = view == View::animation;
    set_visible(animation, show_animation);
    set_visible(graphs, !show_animation);
}

} // namespace vp
