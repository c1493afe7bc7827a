// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace vp {

// A drag coefficient as the amplitudes measure it.
struct DragEstimate {
    double value = 0;
    double error = 0; // its standard error
    // Its share of the decrement is below twice its standard error (noise),
    // or below 1 %, what the first-order balance itself may be off by: the
    // window says "не разрешается" rather than print it.
    bool resolved = false;
};

struct TwoDragResult {
    DragEstimate delta; // 1/s, the decay rate of the amplitude the linear drag gives
    DragEstimate kappa; // 1/rad, the coefficient of omega |omega| (fi_2_x)
};

// The linear and the quadratic drag measured apart: every half swing of the
// run, from a turning point to the next on the other side, loses (to first
// order in the loss: the analysis leaves out half swings that lose much)
//     ln(A_j / A_(j+1)) = delta * linear_j + kappa * quadratic_j,
// linear_j and quadratic_j being half_swing_loss at the half swing's
// amplitude, stretched by its measured time over the undamped one (the
// damping's lengthening: for a linear oscillator this makes delta exact).
// A least-squares fit of these decrements to the two gives delta and kappa
// with their standard errors. The decrements rather than ln A itself:
// the numerical error of a long run wanders like a random walk in ln A,
// whose steps are independent where its values are not, so the standard
// errors stay honest.
//
// Where one drag is not resolved, the other is fitted alone. Both read as
// unresolved where the amplitude never changes (a vacuum); no result before
// three half swings.
class TwoDragFit {
public:
    void add(double decrement, double linear, double quadratic);
    std::optional<TwoDragResult> result() const;

private:
    double n_ = 0, ll_ = 0, lq_ = 0, qq_ = 0, ly_ = 0, qy_ = 0, yy_ = 0;
    double l_ = 0, q_ = 0, y_ = 0; // plain sums, for the shares of the decrement
};

} // namespace vp
