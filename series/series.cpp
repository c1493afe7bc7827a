// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/series.h"

#include "series/point_run.h"
#include "series/quantity_names.h"
#include "texts/number_text.h"

#include <cmath>

namespace vp {
namespace {

int sign_of(double v)
{
    return v > 0 ? 1 : (v < 0 ? -1 : 0);
}

} // namespace

LabInputs point_inputs(const LabInputs& base, Quantity varied, double value, std::vector<BoxMessage>& messages)
{
    LabInputs lab = base;
    enter_value(lab, varied, value, messages);
    return lab;
}

std::optional<SeriesPoint> compute_point(const LabInputs& base, Quantity varied, double value,
                                         std::string_view decimal_separator, RunRecord& record,
                                         const std::atomic<bool>* cancel)
{
    std::vector<BoxMessage> messages;
    LabInputs lab = point_inputs(base, varied, value, messages);
    if (const Message* error = first_error(messages)) {
        SeriesPoint point;
        // The row names the value asked for, not the one the box put in its place.
        point.value = value;
        point.text = plain_number_text(value);
        point.reason = error->text;
        return point;
    }
    std::optional<SeriesPoint> point = measure_point(lab, decimal_separator, record, cancel);
    if (point) {
        point->value = quantity(lab.p, varied);
        point->text = lab.texts[static_cast<std::size_t>(varied)];
    }
    return point;
}

std::optional<SeriesPoint> measure_point(LabInputs lab, std::string_view decimal_separator, RunRecord& record,
                                         const std::atomic<bool>* cancel)
{
    SeriesPoint point;
    const LabRun run = run_laboratory(lab, record, decimal_separator, cancel);
    if (run.started && run.end == RunEnd::stopped)
        return std::nullopt;
    point.steps = record.size();
    point.reason = run.message;
    if (!run.started || run.end != RunEnd::reached_tmax)
        return point;
    point.computed = true;
    SwingAnalysis analysis;
    analysis.update(record);
    point.turning_points = analysis.turning_points().size();
    point.crossings = equilibrium_crossings(record, lab.p.fi0, analysis.equilibrium());
    point.aperiodic = point.crossings <= max_aperiodic_crossings;
    if (point.aperiodic)
        point.e_fold_time = analysis.e_fold_time();
    point.comparisons = analysis.comparisons();
    return point;
}

std::size_t equilibrium_crossings(const RunRecord& record, double fi0_degrees, double equilibrium)
{
    const auto well_of = [equilibrium](double fi) { return equilibrium + 360 * std::round((fi - equilibrium) / 360); };
    double well = well_of(fi0_degrees);
    int side = sign_of(fi0_degrees - well);
    std::size_t crossings = 0;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const double fi = record.value(i, RunColumn::fi_deg);
        const double here = well_of(fi);
        const int s = sign_of(fi - here);
        if (here != well) {
            well = here;
            side = s;
            continue;
        }
        if (s == 0)
            continue;
        if (side != 0 && s != side)
            ++crossings;
        side = s;
    }
    return crossings;
}

SeriesRun::SeriesRun(SeriesRequest request, unsigned threads, PointDone point_done, std::function<void()> finished,
                     Workers::Priority priority)
    : request_(std::move(request)), count_(request_.values.size()), point_done_(std::move(point_done))
{
    compute_ = [this](std::size_t i, RunRecord& record, const std::atomic<bool>& cancelled) {
        return compute_point(request_.base, request_.varied, request_.values[i], request_.decimal_separator, record,
                             &cancelled);
    };
    start(threads, std::move(finished), priority);
}

SeriesRun::SeriesRun(std::vector<LabInputs> points, std::string decimal_separator, unsigned threads,
                     PointDone point_done, std::function<void()> finished)
    : points_(std::move(points)), count_(points_.size()), point_done_(std::move(point_done))
{
    compute_ = [this, separator = std::move(decimal_separator)](std::size_t i, RunRecord& record,
                                                                const std::atomic<bool>& cancelled) {
        return measure_point(points_[i], separator, record, &cancelled);
    };
    start(threads, std::move(finished), Workers::Priority::normal);
}

void SeriesRun::start(unsigned threads, std::function<void()> finished, Workers::Priority priority)
{
    workers_ = std::make_unique<Workers>(
        threads, [this](unsigned, const std::atomic<bool>& cancelled) { work(cancelled); }, std::move(finished),
        priority);
}

void SeriesRun::work(const std::atomic<bool>& cancelled)
{
    RunRecord record;
    for (std::size_t i = next_.fetch_add(1); i < count_; i = next_.fetch_add(1)) {
        if (cancelled.load(std::memory_order_relaxed))
            return;
        const std::optional<SeriesPoint> point = compute_(i, record, cancelled);
        if (!point)
            return;
        const std::lock_guard<std::mutex> lock(handing_over_);
        if (cancelled.load(std::memory_order_relaxed))
            return;
        point_done_(i, *point);
    }
}

} // namespace vp
