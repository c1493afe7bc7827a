// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"
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

// Where the energy of a step stands, J, in double: the mechanical energy
// (the potential zero at the height of the axis, as W) and what the linear
// and the quadratic drag have taken since the start of the run.
struct EnergyRow {
    double W_kin = 0;
    double W_pot = 0;
    double D_lin = 0;
    double D_quad = 0;
};

// A stretch of a run under one set of quantities. A parameter file loaded
// during a pause changes the physics from the next step on: the run then
// has a part for each, and each is measured against its own quantities.
struct RunPart {
    std::size_t first_step = 0; // its first row
    RunRow start;               // the state it begins from: the starting state, or the step before
    Parameters p;
    Characteristics c;
    // The energy balance within it: the mechanical energy of its start (by
    // its own MI and M_L) plus what the drags had taken before it; minus the
    // mechanical energy and all taken so far, at every step it is zero but
    // for the error of the computation.
    double balance_start = 0;    // J
    double largest_residual = 0; // the largest |residual| of its steps, J
    // The energy of its start above the lowest position, J: what the drags
    // can take in it.
    double available = 0;
    double wz_max = 0; // the largest |omega| of its steps, rad/s
};

// The kept run: every step of the latest run, from its start until the next
// one starts, with the quantities and characteristics it was computed with
// (the analysis compares with those, not with whatever the inputs say
// afterwards), and the energy ledger of every step.
//
// A run may have ten million steps. The rows are kept column by column in
// blocks of fixed size: appending never moves what is already kept (no copy
// of a grown array at the worst moment, no capacity left over beyond one
// block), and a step costs 44 bytes.
class RunRecord {
public:
    // Forgets the previous run and begins a new one, from the state a run
    // with these quantities starts from (fi0_rad, wz0).
    void start(const Characteristics& c, const Parameters& p = {});
    // A step of the run: its row, and its energy ledger retraced from the
    // state before it with the quantities it was computed with. Quantities
    // that differ from the last part's begin a new part.
    void append(const RunState& s, const Parameters& p, const Characteristics& c);
    // A row without a ledger (the drags' columns keep their last values).
    void append(const RunRow& row);
    // The run has ended (by Tmax or by the stop button).
    void finish() { finished_ = true; }

    bool started() const { return run_number_ != 0; }
    bool finished() const { return finished_; }
    // Changes at every start: lets a reader notice that its rows are gone.
    std::uint64_t run_number() const { return run_number_; }
    // The characteristics the run started with.
    const Characteristics& characteristics() const { return parts_.front().c; }
    const std::vector<RunPart>& parts() const { return parts_; }
    const RunPart& part_of(std::size_t i) const;
    // A ledger is kept once a step of a run has been appended.
    bool has_ledger() const { return has_ledger_; }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    RunRow row(std::size_t i) const;
    double t(std::size_t i) const { return block(i).t[offset(i)]; }
    double value(std::size_t i, RunColumn q) const;
    EnergyRow energy(std::size_t i) const;

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
        std::array<double, block_rows> D_lin;
        std::array<double, block_rows> D_quad;
    };
    const Block& block(std::size_t i) const { return *blocks_[i >> block_bits]; }
    static std::size_t offset(std::size_t i) { return i & (block_rows - 1); }

    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t size_ = 0;
    std::uint64_t run_number_ = 0;
    bool finished_ = false;
    std::vector<RunPart> parts_ = std::vector<RunPart>(1);
    // The state the next step starts from, and what the drags took so far.
    RunState state_;
    double D_lin_ = 0;
    double D_quad_ = 0;
    bool has_ledger_ = false;
};

// The row of a step as the graphs draw it: the angle in degrees.
RunRow row_of(const RunState& s);

} // namespace vp
