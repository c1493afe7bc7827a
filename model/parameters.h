// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace vp {

// The thirteen quantities the user enters, with the two radii kept beside
// them. Every quantity reads 0 until predvar() gives the defaults.
struct Parameters {
    double massa = 0;     // mass of the sphere, kg
    double diametr_2 = 0; // outer diameter of the sphere, m
    double diametr_1 = 0; // inner diameter of the sphere (the cavity), m
    double c_shar = 0;    // drag coefficient of the sphere
    double dlina = 0;     // axis to the lowest point of the sphere, m
    double massa_st = 0;  // mass of the rod, kg
    double diametr_s = 0; // diameter of the rod, m
    double c_ster = 0;    // drag coefficient of the rod
    double ro_0 = 0;      // density of the medium, kg/m^3
    double eta = 0;       // dynamic viscosity of the medium, Pa*s
    double fi0 = 0;       // initial angle from the downward vertical, degrees
    double wz0 = 0;       // initial angular velocity, rad/s
    double Tmax = 0;      // time span of a run, s

    // The radii are kept beside the diameters rather than derived on use:
    // only the outer diameter's box handler updates r_shar_2, so a diameter
    // placed by the parameter file without a change of its box text leaves
    // the radius as it was.
    double r_shar_2 = 0; // outer radius of the sphere, m
    // Inner radius in single precision, m: the cavity is drawn and nothing
    // else reads it, and the rounding (0.15 -> 0.15000000596...) is kept.
    float r_shar_1 = 0;
};

// The thirteen quantities by their names, in the order of the parameter
// panel, which is also the order of the start-up, the parameter file and the
// head of the results file. What the laboratory does with each of them (its
// box, its checks, its texts) is its row in input/quantity_table.h.
enum class Quantity {
    massa,
    diametr_2,
    diametr_1,
    c_shar,
    dlina,
    massa_st,
    diametr_s,
    c_ster,
    ro_0,
    eta,
    fi0,
    wz0,
    Tmax
};
inline constexpr int quantity_count = 13;

double quantity(const Parameters& p, Quantity q);
double& quantity(Parameters& p, Quantity q);

// r_shar_2 := diametr_2 / 2.
void derive_r_shar_2(Parameters& p);
// r_shar_1 := diametr_1 / 2, rounded to single precision.
void derive_r_shar_1(Parameters& p);

// Settings of a run that survive from run to run.
struct RunSettings {
    std::int16_t n_tochek = 0; // integration points per harmonic period
    double zamedlenie = 0;     // slow-down: the pause per step is 10 ms times this
};

// Zoom divisors of the three time graphs and the grid density.
struct ZoomSettings {
    double k_fi = 0; // angle graph
    double k_wz = 0; // angular-velocity graph
    float k_W = 0;   // energy graph, single precision like its scroll-bar rule
    int n_setki = 0; // grid intervals per half axis
};

// The defaults the laboratory starts with: a hollow sphere lighter than water
// on a thin steel rod, in water. Also derives the radii from the diameters.
void predvar(Parameters& p, RunSettings& run, ZoomSettings& zoom);

} // namespace vp
