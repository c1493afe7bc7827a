// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/view.h"

namespace vp {

View chosen_view(bool option1_selected, bool option2_selected)
{
    if (option1_selected)
        return View::animation;
    if (option2_selected)
        return View::graphs;
    return View::unchanged;
}

} // namespace vp
