// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_explanation.h"
#include "analysis/run_record.h"
#include "analysis/swing_analysis.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "report/report_document.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// The thirteen quantities' texts as their boxes show them for `p`.
std::array<std::string, quantity_count> shown_box_texts(const Parameters& p);

// The two tables every report begins with: the thirteen quantities, their
// labels' symbols (the Greek letter put in), the boxes' texts and their
// units; and the sixteen characteristics as their labels show them (the
// Greek letter put in).
ReportTable parameters_table(const std::array<std::string, quantity_count>& box_texts);
ReportTable characteristics_table(const Parameters& p, const Characteristics& c, std::string_view decimal_separator);

// The report of the kept run: the quantities it was started with and their
// characteristics, the plane and the three time graphs, the turning points
// and swings, the comparison with theory (the characteristics and the
// theory of the run's own amplitudes and drags), the two drags measured
// apart with the amplitudes' plot, the energy ledger with its plot and the
// drag regime. `analysis` and `explanation` are of `run`. Numbers take the
// separator given, as the window shows them.
ReportDocument run_report(const RunRecord& run, const SwingAnalysis& analysis, const RunExplanation& explanation,
                          const ReportHeading& heading, std::string_view decimal_separator);

// The steps of a run from `first` on that the report's time graphs draw:
// all of them up to `most`; beyond, the first and the last, and in each of
// most / 6 equal stretches of the steps those of the least and the greatest
// angle, angular velocity and energy, in order. The curve keeps its
// envelope, the band a long run draws on the screen, without a line for
// every step of millions.
std::vector<std::size_t> report_steps(const RunRecord& run, std::size_t most, std::size_t first = 0);

} // namespace vp
