// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/characteristics.h"
#include "model/equations.h"
#include "model/runge_kutta.h"
#include "tests/support/default_lab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

TEST(Equations, SinglePrecisionResults)
{
    EXPECT_EQ(static_cast<double>(ff_1(0, 0, 0.1)), 0.10000000149011612);
    const MotionCoefficients k{-8.38, 1.2e-4, 0.02};
    EXPECT_EQ(ff_2(k, 0, 0, 0), 0.0f);
    // From tests/model/reference_run.py: both drag terms, then gravity, in
    // double precision, the sum rounded to single precision.
    EXPECT_EQ(ff_2(k, 0, 0.3, 0.1), 0x1.3cf548p+1F);
}

TEST(Equations, RightHandSideIsOdd)
{
    const MotionCoefficients k{8.38, 1.186e-4, 0.0025};
    const double states[][2] = {{0.3, 0.1}, {2.9, -3.5}, {-1.0, 7.25}, {1e-9, 0}, {0, 1e3}};
    for (const auto& s : states) {
        EXPECT_EQ(ff_2(k, 0, -s[0], -s[1]), -ff_2(k, 0, s[0], s[1])) << s[0] << ", " << s[1];
        EXPECT_EQ(ff_2(k, 5.0, s[0], s[1]), ff_2(k, 0, s[0], s[1])) << "the time does not enter";
    }
}

MotionCoefficients coefficients(const Characteristics& c)
{
    return {c.W02, c.delta, c.fi_2_x};
}

TEST(RungeKutta, FirstStepOfTheDefaults)
{
    const testing::DefaultLab lab;
    const Parameters& p = lab.p;
    const Characteristics& c = lab.c;

    RunState s;
    start_run(s, c.fi0_rad, p.wz0);
    EXPECT_EQ(s.wz_f, -3.5f);
    runge_kutta_step(s, coefficients(c), c.shag);
    EXPECT_EQ(s.t_f, c.shag);
    EXPECT_EQ(s.fi_f, s.fi_new);
    EXPECT_EQ(s.wz_f, static_cast<float>(s.wz_new));
    // 33.075 degrees and -2.850 rad/s, to the bit of tests/model/reference_run.py.
    EXPECT_EQ(s.fi_new, 0x1.27909ff79560ap-1);
    EXPECT_EQ(s.wz_new, -0x1.6cd81784f1c33p+1);
}

TEST(RungeKutta, EnergyIsConservedWithoutDamping)
{
    testing::DefaultLab lab;
    Parameters& p = lab.p;
    Characteristics& c = lab.c;
    p.eta = 0;
    p.c_shar = 0;
    p.c_ster = 0;
    parametr(p, lab.run.n_tochek, c);
    ASSERT_EQ(c.delta, 0);
    ASSERT_EQ(c.fi_2_x, 0);

    RunState s;
    start_run(s, c.fi0_rad, p.wz0);
    int steps = 0;
    double worst = 0;
    while (s.t_f < p.Tmax) {
        runge_kutta_step(s, coefficients(c), c.shag);
        s.W_poln = total_energy(c.MI, c.Mm_L, s.fi_new, s.wz_new);
        worst = std::max(worst, std::fabs(s.W_poln - c.W_00));
        ++steps;
    }
    EXPECT_EQ(steps, static_cast<int>(std::ceil(p.Tmax / c.shag)));
    // 738 steps of 1/100 period; W_poln itself is a float (ulp 3e-5 J here).
    EXPECT_LT(worst, 5e-6 * std::fabs(c.W_00)) << "worst drift " << worst << " J of " << c.W_00;
}

// The angle a quarter period after the release of a small undamped swing,
// integrated in n steps. The body passes the bottom there, so the phase
// error of the method shows in the angle to first order.
double angle_after_a_quarter_period(int n)
{
    const double W02 = 4.0;
    const MotionCoefficients k{W02, 0, 0};
    const double quarter = 3.141592653589793 / 2 / std::sqrt(W02);
    RunState s;
    start_run(s, 0.05, 0);
    for (int i = 0; i < n; ++i)
        runge_kutta_step(s, k, quarter / n);
    return s.fi_new;
}

TEST(RungeKutta, FourthOrderConvergence)
{
    // Richardson: the differences between successive halvings of the step
    // shrink by 2^4 for a fourth-order method.
    const double a = angle_after_a_quarter_period(3);
    const double b = angle_after_a_quarter_period(6);
    const double c = angle_after_a_quarter_period(12);
    const double d = angle_after_a_quarter_period(24);
    const double ratio1 = std::fabs(a - b) / std::fabs(b - c);
    const double ratio2 = std::fabs(b - c) / std::fabs(c - d);
    EXPECT_GT(ratio1, 13);
    EXPECT_LT(ratio1, 19);
    EXPECT_GT(ratio2, 13);
    EXPECT_LT(ratio2, 19);
}

} // namespace
} // namespace vp
