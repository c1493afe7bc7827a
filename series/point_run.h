// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "model/run_control.h"
#include "series/box_entry.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// How a run of the laboratory came out.
struct LabRun {
    bool started = false; // the start's check let it begin
    RunEnd end = RunEnd::reached_tmax;
    // What the window would say in its "Ошибка" box: why the run was refused
    // or could not go on. Empty for a run to Tmax or a cancelled one.
    std::string message;
};

// A run as the start button makes it, without pause, drawing or results
// file: the characteristics recomputed, the start's check of the run, then
// the run loop raschet, every step kept in `record` as the window keeps it.
// The trajectory is the window's to the bit: the same characteristics, the
// same checks before every step, the same steps and stable sub-steps.
//
// `cancel` (may be null) is read after each step; once it is set the run
// ends there as a stop would end it. The separator is the one the window's
// failure message takes.
LabRun run_laboratory(LabInputs& lab, RunRecord& record, std::string_view decimal_separator,
                      const std::atomic<bool>* cancel = nullptr);

// The lines of the results file a run would have given in the window with
// "файл" ticked just before "ПУСК": the head with the boxes' texts, then one
// row per step with the given separator. UTF-8, without line ends.
std::vector<std::string> results_file_lines(const LabInputs& lab, const RunRecord& record,
                                            std::string_view decimal_separator);

} // namespace vp
