// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vp::window_title {

inline const QString plain = QStringLiteral("Колебания толстостенной сферы на массивном стержне в вязкой среде");
inline const QString during_run = QStringLiteral("При работе размер окна изменить нельзя!");

// What a finished or stopped run appends: ". Время расчёта - " + the whole
// seconds as plain number text (with its leading blank) + " c".
QString computing_time_report(double seconds);

} // namespace vp::window_title
