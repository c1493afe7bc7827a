// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/runge_kutta.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vp {

// One step of a run as the graphs and the readouts show it.
struct RunRow {
    double t = 0;      // model time, s
    double fi_deg = 0; // angle, degrees, not wrapped: whole turns add 360
    double wz = 0;     // angular velocity, rad/s
    float W = 0;       // total energy, J, the single-precision value shown
};

// A column of the kept run: the quantity of a time graph.
enum class RunColumn { fi_deg, wz, W };

// The kept run: every step of the latest run, from its start until the next
// one starts, with the characteristics it was computed with (the analysis
// compares with those, not with whatever the inputs say afterwards).
//
// A run may have ten million steps. The rows are kept column by column in
// blocks of fixed size: appending never moves what is already kept (no copy
// of a grown array at the worst moment, no capacity left over beyond one
// block), and a step costs 28 bytes.
class RunRecord {
public:
    // Forgets the previous run and begins a new one.
    void start(const Characteristics& c);
    void append(const RunRow& row);
    // The run has ended (by Tmax or by the stop button).
    void finish() { finished_ = true; }

    bool started() const { return run_number_ != 0; }
    bool finished() const { return finished_; }
    // Changes at every start: lets a reader notice that its rows are gone.
    std::uint64_t run_number() const { return run_number_; }
    const Characteristics& characteristics() const { return characteristics_; }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    RunRow row(std::size_t i) const;
    double t(std::size_t i) const { return block(i).t[offset(i)]; }
    double value(std::size_t i, RunColumn q) const;

    // The quantity at model time t, linear between the two steps around it;
    // nothing before the first step or after the latest one.
    std::optional<double> value_at(double t, RunColumn q) const;

private:
    static constexpr unsigned block_bits = 16;
    static constexpr std::size_t block_rows = std::size_t{1} << block_bits;
    struct Block {
        std::array<double, block_rows> t;
        std::array<double, block_rows> fi_deg;
        std::array<double, block_rows> wz;
        std::array<float, block_rows> W;
    };
    const Block& block(std::size_t i) const { return *blocks_[i >> block_bits]; }
    static std::size_t offset(std::size_t i) { return i & (block_rows - 1); }

    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t size_ = 0;
    std::uint64_t run_number_ = 0;
    bool finished_ = false;
    Characteristics characteristics_;
};

// The row of a step as the graphs draw it: the angle in degrees.
RunRow row_of(const RunState& s);

} // namespace vp
