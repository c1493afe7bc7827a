// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameters.h"

#include <array>
#include <cstdint>

namespace vp {

// What follows from the thirteen quantities: the characteristics shown beside
// the inputs, the three coefficients of the equation of motion, the step and
// the estimates the graph scales are drawn from. Single-precision members
// round on every assignment, as the values shown and used depend on it.
//
// Where the inputs leave a characteristic undefined (both masses zero, zero
// diameters, a rod of zero length, neutral buoyancy...) it holds an IEEE
// infinity or NaN; its reading says so (Shown) and motion_defined() refuses
// the run.
struct Characteristics {
    double fi0_rad = 0; // initial angle, rad

    double ro = 0;    // mean density of the sphere taken as a solid ball, kg/m^3
    double ro_ss = 0; // mean density of the shell material, kg/m^3
    double m0 = 0;    // mass of medium displaced by ball and rod, kg
    double ro_st = 0; // mean density of the rod, kg/m^3

    // Moments of inertia about the axis, kg*m^2.
    double MI_1 = 0; // the shell about its own centre
    double MI_2 = 0; // the sphere's transfer term m*a^2 (Steiner)
    double MI_3 = 0; // the rod about its end
    double MI = 0;   // the whole body

    float x_c_m = 0; // centre of mass from the axis, m

    // Linear (Stokes) drag moment per unit viscosity and angular velocity,
    // m^3: the force 3*pi*eta*d2*v at the lever arm a, v = a*omega.
    double delta_shar = 0; // the sphere: 3*pi*d2*a^2
    double delta_st = 0;   // the rod: none
    double delta = 0;      // damping decrement eta*(...)/(2 MI), 1/s

    // Weight minus buoyancy as a moment per g, kg*m.
    double W02_shar = 0; // the sphere
    double W02_st = 0;   // the rod, with only its part above the sphere in the medium
    float W02_st_u = 0;  // the rod taken as wholly immersed
    double Mm_L = 0;     // the whole body: restoring moment / g
    double W02 = 0;      // square of the harmonic angular frequency Mm_L*g/MI, 1/s^2 (signed)
    double W0 = 0;       // harmonic angular frequency, rad/s
    double Ws = 0;       // natural angular frequency with linear damping, rad/s
    double T0 = 0;       // harmonic period, s
    double Ts = 0;       // natural period, s
    float eta_kr = 0;    // viscosity of critical linear damping, Pa*s
    double Teta = 0;     // logarithmic decrement delta*Ts, dimensionless
    float dobrot = 0;    // quality factor pi/Teta, dimensionless

    // Quadratic-drag integrals, m^5 times the drag coefficient: the moment
    // of the drag is rho_0 * omega*|omega| / 2 times the integral.
    float fi_2_x_st_u = 0;  // the whole rod
    double fi_2_x_shar = 0; // the sphere
    double fi_2_x_st = 0;   // the rod above the sphere
    double fi_2_x = 0;      // coefficient of the quadratic velocity term, 1/rad

    double shag = 0;   // integration step, s
    double Amp_fi = 0; // amplitude estimate of the angle, degrees
    float Amp_wz = 0;  // amplitude estimate of the angular velocity, rad/s
    double Wp0 = 0;    // potential energy at the start, J
    double Wk0 = 0;    // kinetic energy at the start, J
    double W_00 = 0;   // total energy at the start, J
    double W_min = 0;  // lowest possible potential energy, J
};

// Recomputes every characteristic. Ts and Teta (when W0 <= delta), eta_kr
// (when there is no sphere) and W02_st_u (when the rod is weightless) keep
// the values they had: they are not defined for such a body.
void parametr(const Parameters& p, std::int16_t n_tochek, Characteristics& c);

// True when a run can integrate the motion: a body with a moment of inertia,
// a restoring moment and a finite step.
bool motion_defined(const Characteristics& c);

// The sixteen characteristics shown beside the inputs, top to bottom of
// their column.
enum class Characteristic { ro, ro_ss, m0, ro_st, MI, delta, W0, Ws, T0, Ts, eta_kr, fi_2, Teta, dobrot, x_c_m, Mm_L };
inline constexpr int characteristic_count = 16;

// How a characteristic stands: a number, or, where the inputs leave it
// unbounded, vanishing or undefined, a limit.
enum class Shown { number, infinite, undefined, tends_to_zero };

struct CharacteristicReading {
    double value = 0; // in the unit of its caption
    Shown shown = Shown::number;
};
using CharacteristicReadings = std::array<CharacteristicReading, characteristic_count>;

// The sixteen, indexed by Characteristic. A value that is not finite reads
// as a limit.
CharacteristicReadings characteristic_readings(const Parameters& p, const Characteristics& c);

} // namespace vp
