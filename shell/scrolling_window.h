// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QSize>

class QVBoxLayout;
class QWidget;

namespace vp {

// The layout of a tool window's content, set in a scroll area that fills
// the window: on a screen smaller than the content needs (a large scale
// factor), the window scrolls rather than lay its parts over each other.
QVBoxLayout* scrolling_content(QWidget& window, const char* scroller_name);

// `wanted` (px), at most 95 % of the screen's available area.
QSize on_screen_size(QSize wanted);

} // namespace vp
