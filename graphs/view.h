// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

class QWidget;

namespace vp {

// What the drawing area shows: the animation over the Y-X plane, or the
// three time graphs with their zoom bars. Both views take the same square.
enum class View { animation, graphs, unchanged };

// show_graphs' decision from the two option buttons: Option1 ("анимация")
// wins, then Option2 ("fi(t), wz, W"); with neither selected nothing changes.
View chosen_view(bool option1_selected, bool option2_selected);

// Shows one set and hides the other: the animation set is Picture1 and
// Picture2, the graph set Picture3, Picture4, Picture14, VScroll1, VScroll2
// and VScroll3. Null pointers are passed over. What the pictures hold is not
// touched, so a view shows everything drawn on it while it was hidden.
void apply_view(View view, const std::array<QWidget*, 2>& animation, const std::array<QWidget*, 6>& graphs);

} // namespace vp
