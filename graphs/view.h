// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

// What the drawing area shows: the animation over the Y-X plane, or the
// three time graphs with their zoom bars. Both views take the same square.
enum class View { animation, graphs, unchanged };

// show_graphs' decision from the two option buttons: Option1 ("анимация")
// wins, then Option2 ("fi(t), wz, W"); with neither selected nothing changes.
View chosen_view(bool option1_selected, bool option2_selected);

} // namespace vp
