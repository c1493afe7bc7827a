// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QSize>

namespace vp {

// The apparatus at the laboratory's starting values, drawn by the program's
// own scene code: the Y-X plane with the body at its starting angle. The
// picture of the authors window.
QPixmap apparatus_picture(QSize size, qreal device_pixel_ratio);

} // namespace vp
