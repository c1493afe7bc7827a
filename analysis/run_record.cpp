// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/run_record.h"

#include "analysis/energy_ledger.h"
#include "model/constants.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// What the motion, its energy and its flow depend on; the starting state and
// Tmax concern only where a run begins and ends.
bool same_physics(const RunPart& part, const Parameters& p, const Characteristics& c)
{
    const Parameters& q = part.p;
    const Characteristics& d = part.c;
    return c.W02 == d.W02 && c.delta == d.delta && c.fi_2_x == d.fi_2_x && c.MI == d.MI && c.Mm_L == d.Mm_L &&
           p.massa == q.massa && p.massa_st == q.massa_st && p.diametr_2 == q.diametr_2 && p.diametr_s == q.diametr_s &&
           p.dlina == q.dlina && p.ro_0 == q.ro_0 && p.eta == q.eta;
}

double mechanical(const Characteristics& c, const RunState& s)
{
    const MechanicalEnergy e = mechanical_energy(c.MI, c.Mm_L, s.fi_new, s.wz_new);
    return e.kinetic + e.potential;
}

} // namespace

void RunRecord::start(const Characteristics& c, const Parameters& p)
{
    // The first block stays for the next run; a long run's others go.
    if (blocks_.size() > 1)
        blocks_.resize(1);
    size_ = 0;
    ++run_number_;
    finished_ = false;
    has_ledger_ = false;
    D_lin_ = D_quad_ = 0;
    state_ = RunState();
    start_run(state_, c.fi0_rad, p.wz0);
    state_.W_poln = total_energy(c.MI, c.Mm_L, state_.fi_new, state_.wz_new);
    RunPart first;
    first.start = row_of(state_);
    first.p = p;
    first.c = c;
    first.balance_start = mechanical(c, state_);
    first.available = mechanical(c, state_) + std::abs(c.Mm_L) * g;
    parts_.assign(1, first);
}

void RunRecord::append(const RunState& s, const Parameters& p, const Characteristics& c)
{
    if (!same_physics(parts_.back(), p, c)) {
        RunPart next;
        next.first_step = size_;
        next.start = row_of(state_);
        next.p = p;
        next.c = c;
        next.balance_start = mechanical(c, state_) + D_lin_ + D_quad_;
        next.available = mechanical(c, state_) + std::abs(c.Mm_L) * g;
        parts_.push_back(next);
    }
    const Dissipation d = step_dissipation(state_, s, {c.W02, c.delta, c.fi_2_x}, c.shag, c.MI);
    D_lin_ += d.linear;
    D_quad_ += d.quadratic;
    has_ledger_ = true;
    state_ = s;
    append(row_of(s));
    RunPart& part = parts_.back();
    const double residual = part.balance_start - (mechanical(c, s) + D_lin_ + D_quad_);
    part.largest_residual = std::max(part.largest_residual, std::abs(residual));
}

void RunRecord::append(const RunRow& row)
{
    const std::size_t b = size_ >> block_bits;
    if (b == blocks_.size())
        // Not value-initialised: a block is written before it is read.
        blocks_.emplace_back(new Block);
    Block& k = *blocks_[b];
    const std::size_t i = offset(size_);
    k.t[i] = row.t;
    k.fi_deg[i] = row.fi_deg;
    k.wz[i] = row.wz;
    k.W[i] = row.W;
    k.D_lin[i] = D_lin_;
    k.D_quad[i] = D_quad_;
    ++size_;
    RunPart& part = parts_.back();
    part.wz_max = std::max(part.wz_max, std::abs(row.wz));
}

const RunPart& RunRecord::part_of(std::size_t i) const
{
    // The last part that begins at or before step i.
    const auto after = std::upper_bound(parts_.begin() + 1, parts_.end(), i,
                                        [](std::size_t step, const RunPart& part) { return step < part.first_step; });
    return *(after - 1);
}

RunRow RunRecord::row(std::size_t i) const
{
    const Block& k = block(i);
    const std::size_t o = offset(i);
    return {k.t[o], k.fi_deg[o], k.wz[o], k.W[o]};
}

double RunRecord::value(std::size_t i, RunColumn q) const
{
    const Block& k = block(i);
    const std::size_t o = offset(i);
    switch (q) {
    case RunColumn::fi_deg: return k.fi_deg[o];
    case RunColumn::wz: return k.wz[o];
    case RunColumn::W: return k.W[o];
    }
    return 0;
}

EnergyRow RunRecord::energy(std::size_t i) const
{
    const Block& k = block(i);
    const std::size_t o = offset(i);
    const Characteristics& c = part_of(i).c;
    const MechanicalEnergy e = mechanical_energy(c.MI, c.Mm_L, k.fi_deg[o] * k_grad_rad, k.wz[o]);
    return {e.kinetic, e.potential, k.D_lin[o], k.D_quad[o]};
}

std::optional<double> RunRecord::value_at(double time, RunColumn q) const
{
    if (size_ == 0 || !(time >= t(0)) || !(time <= t(size_ - 1)))
        return std::nullopt;
    // The first step at or after `time` (times grow step by step).
    std::size_t lo = 0;
    std::size_t hi = size_ - 1;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (t(mid) < time)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo == 0 || t(lo) == time)
        return value(lo, q);
    const double t0 = t(lo - 1);
    const double t1 = t(lo);
    const double v0 = value(lo - 1, q);
    const double v1 = value(lo, q);
    return v0 + (v1 - v0) * (time - t0) / (t1 - t0);
}

RunRow row_of(const RunState& s)
{
    return {s.t_f, s.fi_new / k_grad_rad, s.wz_new, s.W_poln};
}

} // namespace vp
