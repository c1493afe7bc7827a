// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/run_record.h"

#include "model/constants.h"

namespace vp {

void RunRecord::start(const Characteristics& c)
{
    // The first block stays for the next run; a long run's others go.
    if (blocks_.size() > 1)
        blocks_.resize(1);
    size_ = 0;
    ++run_number_;
    finished_ = false;
    characteristics_ = c;
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
    ++size_;
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
