// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/threshold.h"

#include "series/quantity_names.h"
#include "series/series.h"
#include "texts/number_text.h"

#include <cmath>

namespace vp {
namespace {

constexpr double step_out_factor = 4;
// Bisecting a bracket of the factor to the precision takes this many runs;
// stepping out may use the rest.
const int bisection_runs =
    static_cast<int>(std::ceil(std::log2(std::log(step_out_factor) / std::log1p(threshold_precision))));

struct Trial {
    double value = 0;
    bool aperiodic = false;
};

class Search {
public:
    Search(const ThresholdRequest& request, RunRecord& record, const std::atomic<bool>* cancel,
           const std::function<void(int)>& progress)
        : request_(request), record_(record), cancel_(cancel), progress_(progress)
    {
    }

    std::optional<Threshold> run()
    {
        const double start = start_value();
        if (!(start > 0) || !std::isfinite(start))
            return refused("Граница ищется среди положительных значений, а " + label() +
                           " не больше 0. Задайте положительное значение!");
        std::optional<Trial> origin = trial(start);
        if (!origin)
            return ended();
        std::optional<Trial> from, to;
        if (!step_out(*origin, from, to))
            return ended();
        if (!to) {
            result_.reason = std::string("В промежутке от ") + number(low_) + " до " + number(high_) +
                             " движение всюду " + (origin->aperiodic ? "апериодическое" : "колебательное") +
                             ": граница апериодичности не найдена.";
            return result_;
        }
        Trial a = *from;
        Trial b = *to;
        while (std::fabs(b.value - a.value) > threshold_precision * std::fmin(a.value, b.value) &&
               result_.runs < max_threshold_runs) {
            const double middle = std::sqrt(a.value * b.value);
            std::optional<Trial> m = trial(middle);
            if (!m)
                return ended();
            if (m->value == a.value || m->value == b.value)
                break;
            (m->aperiodic == a.aperiodic ? a : b) = *m;
        }
        result_.found = true;
        result_.value = std::sqrt(a.value * b.value);
        result_.oscillating = a.aperiodic ? b.value : a.value;
        result_.aperiodic = a.aperiodic ? a.value : b.value;
        return result_;
    }

private:
    double start_value() const
    {
        const LabInputs& base = request_.base;
        if (request_.varied == Quantity::eta && std::isfinite(base.c.eta_kr) && base.c.eta_kr > 0)
            return base.c.eta_kr;
        return quantity(base.p, request_.varied);
    }

    // From the origin outwards by the factor, up and down in turn, until a
    // trial of the other kind is found (`to`, with the last one of the
    // origin's kind before it in `from`) or both sides are closed. False when
    // the search has ended (cancelled or a failed run).
    bool step_out(const Trial& origin, std::optional<Trial>& from, std::optional<Trial>& to)
    {
        Trial last[2] = {origin, origin};
        bool open[2] = {true, true};
        low_ = high_ = origin.value;
        for (int level = 1; open[0] || open[1]; ++level) {
            for (int side = 0; side < 2; ++side) {
                if (!open[side])
                    continue;
                if (result_.runs + bisection_runs >= max_threshold_runs) {
                    open[0] = open[1] = false;
                    break;
                }
                const double x = origin.value * std::pow(step_out_factor, side == 0 ? level : -level);
                std::optional<Trial> t = trial(x, false);
                if (cancelled())
                    return false;
                if (!t) {
                    // A value refused on this side closes it.
                    result_.reason.clear();
                    open[side] = false;
                    continue;
                }
                (side == 0 ? high_ : low_) = t->value;
                if (t->aperiodic != origin.aperiodic) {
                    from = last[side];
                    to = *t;
                    return true;
                }
                last[side] = *t;
            }
        }
        return true;
    }

    // A run at x; nothing when it was refused or failed (reason set), or
    // cancelled.
    std::optional<Trial> trial(double x, bool report = true)
    {
        if (cancelled())
            return std::nullopt;
        ++result_.runs;
        const std::optional<SeriesPoint> point =
            compute_point(request_.base, request_.varied, x, request_.decimal_separator, record_, cancel_);
        if (progress_)
            progress_(result_.runs);
        if (!point)
            return std::nullopt;
        if (!point->computed) {
            if (report)
                result_.reason = label() + " = " + point->text + ": " + point->reason;
            return std::nullopt;
        }
        return Trial{point->value, point->aperiodic};
    }

    std::optional<Threshold> ended()
    {
        if (cancelled())
            return std::nullopt;
        return result_;
    }

    std::optional<Threshold> refused(std::string reason)
    {
        result_.reason = std::move(reason);
        return result_;
    }

    bool cancelled() const { return cancel_ != nullptr && cancel_->load(std::memory_order_relaxed); }

    std::string label() const { return std::string(quantity_label(request_.varied)); }

    std::string number(double v) const
    {
        return with_decimal_separator(format_number(v, "0.000E+00"), request_.decimal_separator);
    }

    const ThresholdRequest& request_;
    RunRecord& record_;
    const std::atomic<bool>* cancel_;
    const std::function<void(int)>& progress_;
    Threshold result_;
    double low_ = 0, high_ = 0;
};

} // namespace

std::optional<Threshold> find_threshold(const ThresholdRequest& request, RunRecord& record,
                                        const std::atomic<bool>* cancel, const std::function<void(int runs)>& progress)
{
    return Search(request, record, cancel, progress).run();
}

} // namespace vp
