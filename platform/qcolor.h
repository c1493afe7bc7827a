// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/surface.h"

#include <QColor>

namespace vp {

inline QColor to_qcolor(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

} // namespace vp
