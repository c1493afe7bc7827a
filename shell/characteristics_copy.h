// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

class QAction;
class QWidget;

namespace vp {

// Gives the widget a context menu (right click) with the one item
// "Копировать характеристики", which puts the text `text` makes at that
// moment on the clipboard. Returns the item.
QAction* attach_copy_characteristics(QWidget* widget, std::function<QString()> text);

} // namespace vp
