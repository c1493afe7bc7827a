// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_explanation.h"
#include "analysis/swing_analysis.h"
#include "model/characteristics.h"
#include "model/parameters.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace vp {

// The cells of the analysis window's two tables, as the window and the
// report show them: numbers by the window's masks with the decimal
// separator given, a theory that has no number saying why.

// The swing table: number, time, angle, amplitude, period and its theory,
// amplitude ratio, decrement and its theory.
inline constexpr std::size_t swing_columns = 9;
const std::array<std::string_view, swing_columns>& swing_headings();
std::array<std::string, swing_columns> swing_row(std::size_t number, const TurningPoint& point,
                                                 std::string_view decimal_separator);
// The row where the physics changed: "с t = 15,8700 c — новые параметры".
std::string physics_change_text(double t, std::string_view decimal_separator);

// The summary: the quantity, measured, its standard error, the
// characteristic, the difference, the theory of the run's own amplitudes
// and drags, the difference; "—" where there is no number.
inline constexpr std::size_t summary_columns = 7;
const std::array<std::string_view, summary_columns>& summary_headings();
std::array<std::string, summary_columns> summary_row(const Comparison& comparison, std::string_view decimal_separator);

// The texts the copy commands put on the clipboard: tab-separated lines
// ending in line feeds, numbers with the decimal separator given (the
// user's, so that a spreadsheet reads them as numbers), no thousands
// grouping.

// "Копировать таблицу": a header and one line per turning point (number,
// time, angle, amplitude and, from the third of a part on, period and its
// theory, amplitude ratio, decrement and its theory; a theory cell that has
// no number says why), a line "новые параметры с t, c" where the physics
// changed, an empty line, then the summary: the equilibrium, how the swings
// end (swing_end_text), the time of the fall to 1/e of an aperiodic motion,
// the measured quantities with their standard errors beside the
// characteristics and beside the theory of the run's own amplitudes, each
// with its difference, and the energy and the drag regime sentences.
// `run_ended` tells a run that has no turning point yet from one that has none.
std::string swing_table_text(const SwingAnalysis& analysis, const RunExplanation& explanation, bool run_ended,
                             std::string_view decimal_separator);

// "Копировать характеристики": sixteen lines, name, value and unit, in the
// order of the characteristics column. The names are the symbols the
// labels show ("ρ", "ρ_sf", "mo", ..., "Θ", "Q", "Lцм", "M_L"), the values
// have the labels' formats ("2.171E+00") but every one takes the separator
// given, and a value the label shows as a limit reads "-> oo", "-> 0" or
// "???" as there.
std::string characteristics_text(const Parameters& p, const Characteristics& c, std::string_view decimal_separator);

} // namespace vp
