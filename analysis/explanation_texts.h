// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_explanation.h"
#include "analysis/swing_analysis.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace vp {

// The words the analysis explains a run with, the same in the window and in
// the copied table. Numbers take the decimal separator given.

// A number to four significant digits ("7,281", "30,57", "2,156e-05").
std::string short_number(double value, std::string_view decimal_separator);

// What a theory cell of the swing table says instead of a number: "" where
// the row is no whole swing, "через верх", "нет колебаний".
const char* theory_note_text(SwingTheoryNote note);

// What a measured cell says instead of a number: "≈ 0 (в пределах
// погрешности расчёта)", "не разрешается"; "" for a number or a bound.
const char* reading_text(Reading reading);

// How the swings of the last part end, where there is something to say:
//   "точек поворота пока нет", "движение апериодическое",
//   "до T = 0,300 c точек поворота нет" (a run that ended before its first
//   turning point), "после t = 5,123 c до T = 20,000 c точек поворота нет"
//   (none for more than a period before the end), each followed by
//   "; колебания практически затухли" where the last swing is below a
//   millionth of the first; "" otherwise.
std::string swing_end_text(const SwingAnalysis& analysis, bool run_ended, std::string_view decimal_separator);

// What the analysis window says above its table: "Расчёта ещё не было: ..."
// before a run; otherwise the equilibrium and the number of turning points,
// a run that went over the top or changed its physics, how the swings end
// (with the fall to 1/e of an aperiodic motion) and, while the run goes on,
// its steps so far.
std::string analysis_status_text(const SwingAnalysis& analysis, bool run_started, bool run_ended, std::size_t steps,
                                 std::string_view decimal_separator);

// "Энергия за расчёт: линейное (стоксово) трение забрало 7,281 Дж (19,2 %),
//  квадратичное — 30,57 Дж (80,8 %); наибольшая невязка баланса 2,156e-05 Дж
//  (5,6e-05 % от W_00 − W_min)."; "Энергия с t = 15,870 c: ..." for the
// last part of a run whose physics changed.
std::string energy_text(const EnergySummary& energy, std::string_view decimal_separator);

// "Re сферы до 349,2, Re стержня до 9,234; квадратичный момент сопротивления
//  больше линейного в 7,25 раза. Режим обтекания: переходный режим." (at the largest
// angular velocity of the part; each number only where it is defined).
std::string regime_text(const DragReading& drag, std::string_view decimal_separator);

} // namespace vp
