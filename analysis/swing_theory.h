// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"

#include <optional>

namespace vp {

// The theory of one swing at its own amplitude, for the equation
//     phi'' = -W0^2 sin(phi) - 2 delta phi' - kappa phi' |phi'|,   kappa = fi_2_x,
// with the amplitude A measured from the equilibrium (radians). The labels
// give the small-angle, Stokes-only limits of it (To, Ts, Θ = delta Ts).

// The period of the undamped pendulum at amplitude A, T0 / AGM(1, cos(A/2)).
//   The energy gives omega^2 = 2 W0^2 (cos phi - cos A) = 4 W0^2 (k^2 - sin^2(phi/2)),
//   k = sin(A/2); a quarter period is the integral of dphi/omega from 0 to A,
//   which sin(phi/2) = k sin(u) turns into K(k)/W0. So T = 4 K(k)/W0, and
//   K(k) = pi / (2 AGM(1, k')), k' = cos(A/2): T = (2 pi/W0) / AGM(1, cos(A/2)).
// About 1 + A^2/16 times T0 at small amplitudes; not finite at A = pi.
double pendulum_period(double T0, double A);

// The part of ln A that a half swing (from -A to +A) loses, per unit of each
// drag, to first order in the damping: lost = delta * linear + kappa * quadratic.
//   The drags take MI (2 delta omega^2 + kappa |omega|^3) dt. Along the
//   undamped path omega dt = dphi, so a half swing loses
//     linear:    2 delta MI * integral(omega dphi)   = 16 delta MI W0 (E(k) - k'^2 K(k))
//     quadratic: kappa MI * integral(omega^2 dphi)   = 4 kappa MI W0^2 (sin A - A cos A)
//   (the first with sin(phi/2) = k sin(u) again). The energy above the
//   bottom is MI W0^2 (1 - cos A), so dE = MI W0^2 sin(A) dA, and the loss of
//   ln A is the loss of energy over MI W0^2 A sin(A):
//     linear    = 16 (E - k'^2 K) / (W0 A sin A)  -> pi/W0 = T0/2       (s)
//     quadratic = 4 (sin A - A cos A) / (A sin A) -> 4A/3               (rad)
//   At small amplitudes a whole swing then loses (delta + delta_eq) T0 with
//   delta_eq = 4/(3 pi) kappa omega_max, omega_max = W0 A: the quadratic
//   drag's equivalent decrement, as an energy balance over a swing gives it.
struct HalfSwingLoss {
    double linear = 0;    // s
    double quadratic = 0; // rad
};
HalfSwingLoss half_swing_loss(double W0, double A);

// The amplitude a half swing from a to b is judged at (radians, both > 0).
//   At small angles the quadratic drag alone gives d(1/A)/dn = 4 kappa/3 per
//   half swing, so ln(a/b) = (4 kappa/3) ab ln(a/b)/(a - b): at this mean,
//   half_swing_loss is exact for it; the linear loss hardly depends on A.
double half_swing_amplitude(double a, double b);

// How fast ln A falls under the two drags at amplitude A (radians), 1/s: a
// half swing's loss over the half period it takes,
//     -d(ln A)/dt = (delta linear + kappa quadratic) / (T(A)/2).
double decay_rate(const Characteristics& c, double delta, double kappa, double A);

// Why a swing has no theory.
enum class SwingTheoryNote {
    none,         // the period and Θ are given
    no_swing,     // not a whole swing: the first two turning points of a run or of a part
    over_the_top, // the body went over the top between its turning points
    aperiodic,    // at this amplitude the damping leaves no oscillation
};

struct SwingTheory {
    std::optional<double> period;        // s
    std::optional<double> log_decrement; // Θ
    SwingTheoryNote note = SwingTheoryNote::no_swing;
};

// The swing between turning points a0 and a2 on the same side, through a1 on
// the other (amplitudes from the equilibrium, radians, any sign).
//   Each quarter swing takes a quarter of the period at the amplitude of its
//   turning point: T_u = T(a0)/4 + T(a1)/2 + T(a2)/4. The two half swings lose
//   Θ_u of ln A (half_swing_loss at half_swing_amplitude). As in Ts, a
//   damping of rate d = Θ_u / T_u slows an oscillation of Ω = 2 pi / T_u to
//   sqrt(Ω^2 - d^2), and ln A then falls by d in every second of it:
//     T = 2 pi / sqrt(Ω^2 - d^2),   Θ = d T.
SwingTheory swing_theory(const Characteristics& c, double a0, double a1, double a2);

} // namespace vp
