// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "analysis/swing_analysis.h"
#include "series/box_entry.h"
#include "series/workers.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace vp {

// A series: the laboratory as it stands, one quantity of the thirteen and
// the values it takes in turn.
struct SeriesRequest {
    LabInputs base;
    Quantity varied = Quantity::eta;
    std::vector<double> values;
    // The separator of the window's messages (a run stopped by a number out
    // of range names its time).
    std::string decimal_separator = ".";
};

// One point of a series: the run of the laboratory at one value, measured as
// the analysis window measures a run, beside the theory of its
// characteristics.
struct SeriesPoint {
    double value = 0; // the varied quantity as its box holds it
    std::string text; // and as the box shows it
    // A motion computed to Tmax; otherwise `reason` says why not, in the words
    // of the box the window would show: the box's complaint about the value,
    // the start's refusal, or the failure that ended the run.
    bool computed = false;
    std::string reason;
    std::size_t steps = 0;
    std::size_t turning_points = 0;
    // Passages through the equilibrium; at most one is an aperiodic motion.
    std::size_t crossings = 0;
    bool aperiodic = false;
    std::optional<double> e_fold_time; // s
    // The measured period, Θ, Q and δ beside Ts, To, Θ, Q and δ
    // (SwingAnalysis::comparisons()).
    std::vector<Comparison> comparisons;
};

// At most one passage through the equilibrium, and the motion creeps to it:
// aperiodic.
inline constexpr std::size_t max_aperiodic_crossings = 1;

// The inputs of a point: the base with the value entered into the varied
// quantity's box. The box's messages go to `messages`.
LabInputs point_inputs(const LabInputs& base, Quantity varied, double value, std::vector<BoxMessage>& messages);

// One point. `record` is the worker's own, reused from point to point.
// Returns nothing when `cancel` ended the run before Tmax.
std::optional<SeriesPoint> compute_point(const LabInputs& base, Quantity varied, double value,
                                         std::string_view decimal_separator, RunRecord& record,
                                         const std::atomic<bool>* cancel = nullptr);

// The run of the laboratory as `lab` stands (a parameter file placed, say),
// measured as a series' point; the value and text are left for the caller.
// Returns nothing when `cancel` ended the run before Tmax.
std::optional<SeriesPoint> measure_point(LabInputs lab, std::string_view decimal_separator, RunRecord& record,
                                         const std::atomic<bool>* cancel = nullptr);

// Passages of the angle through the equilibrium of its well (0 or 180
// degrees plus whole turns) from the starting angle fi0 on; going over the
// top into the next well is none.
std::size_t equilibrium_crossings(const RunRecord& record, double fi0_degrees, double equilibrium);

// A series computed on worker threads, each point in its own state: the
// request is read by all and written by none, each worker keeps its own run
// record. Points are taken in the order of the values and handed to
// `point_done` as each is finished, one call at a time, on a worker's
// thread; `finished` follows the last call. cancel() stops at once: the
// points in progress are dropped, the finished ones have been handed over.
class SeriesRun {
public:
    using PointDone = std::function<void(std::size_t index, const SeriesPoint& point)>;

    SeriesRun(SeriesRequest request, unsigned threads, PointDone point_done, std::function<void()> finished = {},
              Workers::Priority priority = Workers::Priority::normal);
    // Points each of their own inputs (measure_point), in the order given.
    SeriesRun(std::vector<LabInputs> points, std::string decimal_separator, unsigned threads, PointDone point_done,
              std::function<void()> finished = {});

    void cancel() { workers_->cancel(); }
    void wait() { workers_->wait(); }
    bool finished() const { return workers_->finished(); }

private:
    void start(unsigned threads, std::function<void()> finished, Workers::Priority priority);
    void work(const std::atomic<bool>& cancelled);

    const SeriesRequest request_;
    const std::vector<LabInputs> points_;
    const std::size_t count_;
    std::function<std::optional<SeriesPoint>(std::size_t, RunRecord&, const std::atomic<bool>&)> compute_;
    PointDone point_done_;
    std::atomic<std::size_t> next_{0};
    std::mutex handing_over_;
    // Last: its threads start when it is made and are joined before the
    // members above go.
    std::unique_ptr<Workers> workers_;
};

} // namespace vp
