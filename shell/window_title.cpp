// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/window_title.h"

#include "texts/number_text.h"

#include <algorithm>
#include <cmath>

namespace vp::window_title {

QString computing_time_report(double seconds)
{
    const double whole = std::round(std::max(0.0, seconds));
    return QStringLiteral(". Время расчёта - ") + QString::fromStdString(plain_number_text(whole)) +
           QStringLiteral(" c");
}

} // namespace vp::window_title
