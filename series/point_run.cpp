// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/point_run.h"

#include "input/results_file.h"
#include "model/run.h"
#include "model/run_check.h"
#include "texts/run_messages.h"

namespace vp {
namespace {

// Keeps every step as the window keeps it, with its energy ledger; a
// cancellation reaches the loop as a stop pressed during the step's pause
// would.
class Recording final : public RunObserver {
public:
    Recording(RunRecord& record, const LabInputs& lab, RunControl& control, const std::atomic<bool>* cancel)
        : record_(record), lab_(lab), control_(control), cancel_(cancel)
    {
    }

    void step_done(const RunState& s) override
    {
        record_.append(s, lab_.p, lab_.c);
        if (cancel_ != nullptr && cancel_->load(std::memory_order_relaxed))
            control_.request_stop();
    }

private:
    RunRecord& record_;
    const LabInputs& lab_;
    RunControl& control_;
    const std::atomic<bool>* cancel_;
};

// The pause after each step in the window, s: the refusal of a run too long
// says how long it would take at that pace.
double step_period(const RunSettings& run)
{
    return 0.01 * run.zamedlenie;
}

} // namespace

LabRun run_laboratory(LabInputs& lab, RunRecord& record, std::string_view decimal_separator,
                      const std::atomic<bool>* cancel)
{
    LabRun outcome;
    parametr(lab.p, lab.run.n_tochek, lab.c);
    if (const RunRefusal refusal = run_refusal(lab.p, lab.c); refusal != RunRefusal::none) {
        outcome.message = refusal_message(refusal, lab.p, lab.c, step_period(lab.run));
        return outcome;
    }
    outcome.started = true;
    RunControl control;
    control.start();
    Recording recording(record, lab, control, cancel);
    RunState s;
    record.start(lab.c, lab.p);
    outcome.end = raschet(s, lab.p, lab.c, control, recording);
    record.finish();
    if (outcome.end == RunEnd::motion_undefined)
        outcome.message = refusal_message(run_refusal(lab.p, lab.c), lab.p, lab.c, step_period(lab.run));
    else if (outcome.end == RunEnd::motion_failed)
        outcome.message = failure_message(s.t_f, decimal_separator);
    return outcome;
}

std::vector<std::string> results_file_lines(const LabInputs& lab, const RunRecord& record,
                                            std::string_view decimal_separator)
{
    std::vector<std::string> lines = results_head(lab.texts);
    lines.reserve(lines.size() + record.size());
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RunRow r = record.row(i);
        lines.push_back(results_row(r.t, r.fi_deg, r.wz, r.W, decimal_separator));
    }
    return lines;
}

} // namespace vp
