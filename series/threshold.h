// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "series/box_entry.h"

#include <atomic>
#include <functional>
#include <optional>
#include <string>

namespace vp {

// "Граница апериодичности": the value of a quantity at which the motion
// stops passing through the equilibrium within Tmax more than once.
struct ThresholdRequest {
    LabInputs base;
    Quantity varied = Quantity::eta;
    std::string decimal_separator = ".";
};

struct Threshold {
    bool found = false;
    // The middle of the last bracket (geometric: the bracket is narrowed in
    // ratio), and its two ends as the box holds them: the value nearest to it
    // at which the body still swings, and the one at which it creeps.
    double value = 0;
    double oscillating = 0;
    double aperiodic = 0;
    int runs = 0;
    // Why there is none, in the program's words.
    std::string reason;
};

// The bracket is narrowed to this width relative to its lower end, 0.1 %,
// in at most this many runs.
inline constexpr double threshold_precision = 0.001;
inline constexpr int max_threshold_runs = 30;

// The search starts at the critical viscosity eta_kr for eta (where it is
// defined), at the quantity's value otherwise, and steps out by factors of
// four on either side, in turn, until the motion changes its kind; then it
// halves the bracket in ratio. Every trial is a point of a series: the
// value entered into the box, a run to Tmax. A value the box or the start
// refuses ends the stepping out on that side. The bracket also stops at the
// box's last digit: a middle the box shows as one of the ends is not run.
//
// `progress` is told the number of runs made so far. Nothing is returned
// when `cancel` was set.
std::optional<Threshold> find_threshold(const ThresholdRequest& request, RunRecord& record,
                                        const std::atomic<bool>* cancel = nullptr,
                                        const std::function<void(int runs)>& progress = {});

} // namespace vp
