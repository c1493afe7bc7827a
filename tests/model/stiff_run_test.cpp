// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of legal inputs whose damping is strong for the laboratory's step:
// they stay finite, lose energy, and follow a fine-step reference; ordinary
// runs are not touched by the stability check.
#include "model/constants.h"
#include "model/run.h"
#include "model/run_check.h"
#include "model/stable_step.h"
#include "tests/model/recorded_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace vp {
namespace {

struct Inputs {
    const char* what;
    double massa, diametr_2, diametr_1, c_shar, dlina, massa_st, diametr_s, c_ster, ro_0, eta, fi0, wz0, Tmax;
};

struct Lab : testing::RecordedRun {
    explicit Lab(const Inputs& in)
    {
        p.massa = in.massa;
        p.diametr_2 = in.diametr_2;
        p.diametr_1 = in.diametr_1;
        p.c_shar = in.c_shar;
        p.dlina = in.dlina;
        p.massa_st = in.massa_st;
        p.diametr_s = in.diametr_s;
        p.c_ster = in.c_ster;
        p.ro_0 = in.ro_0;
        p.eta = in.eta;
        p.fi0 = in.fi0;
        p.wz0 = in.wz0;
        p.Tmax = in.Tmax;
        derive_r_shar_2(p);
        derive_r_shar_1(p);
        parametr(p, run.n_tochek, c);
    }
};

// The defaults, and the laboratory's sample parameter file (castor oil).
const Inputs defaults{"defaults", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 0.001004, 37, -3.5, 16};
const Inputs castor_oil{"castor oil", 44.17, 0.32, 0.28, 0.47, 1.2, 0.735, 0.01, 1.2, 961, 0.99, 30, 0, 20};
const Inputs vacuum{"vacuum", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 0, 0, 37, -3.5, 16};

TEST(StableRuns, OrdinaryRunsAreTheSingleStepsBitForBit)
{
    for (const Inputs& in : {defaults, castor_oil, vacuum}) {
        Lab lab(in);
        ASSERT_EQ(lab.run_it(), RunEnd::reached_tmax) << in.what;
        RunState plain;
        start_run(plain, lab.c.fi0_rad, lab.p.wz0);
        for (const RunState& shown : lab.recorder.steps) {
            runge_kutta_step(plain, {lab.c.W02, lab.c.delta, lab.c.fi_2_x}, lab.c.shag);
            ASSERT_EQ(shown.t_f, plain.t_f) << in.what;
            ASSERT_EQ(shown.fi_new, plain.fi_new) << in.what << " at " << plain.t_f;
            ASSERT_EQ(shown.wz_new, plain.wz_new) << in.what << " at " << plain.t_f;
            ASSERT_EQ(shown.W_poln, total_energy(lab.c.MI, lab.c.Mm_L, plain.fi_new, plain.wz_new)) << in.what;
        }
    }
}

// The same equation integrated in double precision throughout at a step
// `divisions` times smaller than the run's, sampled at the run's times: by
// the classical method, or, where its step would have to be too fine to be
// stable, by the implicit Euler method (solved by Newton's method), which is
// stable at any step and, at a step this fine, exact enough for a creep.
std::vector<std::pair<double, double>> reference(const Characteristics& c, double fi0_rad, double wz0,
                                                 const std::vector<RunState>& at, int divisions, bool implicit = false)
{
    const auto omega_dot = [&c](double fi, double wz) {
        return -c.W02 * std::sin(fi) - 2 * c.delta * wz - c.fi_2_x * wz * std::fabs(wz);
    };
    double fi = fi0_rad, wz = wz0;
    const double h = c.shag / divisions;
    std::vector<std::pair<double, double>> out;
    for (std::size_t n = 0; n < at.size(); ++n) {
        for (int i = 0; i < divisions; ++i) {
            if (implicit) {
                // fi1 = fi + h wz1 and wz1 = wz + h omega_dot(fi1, wz1), for wz1.
                double wz1 = wz;
                for (int newton = 0; newton < 50; ++newton) {
                    const double fi1 = fi + h * wz1;
                    const double residual = wz1 - wz - h * omega_dot(fi1, wz1);
                    const double slope =
                        1 + h * h * c.W02 * std::cos(fi1) + h * (2 * c.delta + 2 * c.fi_2_x * std::fabs(wz1));
                    wz1 -= residual / slope;
                    if (std::fabs(residual) <= 1e-15 * (std::fabs(wz1) + 1e-300))
                        break;
                }
                fi += h * wz1;
                wz = wz1;
                continue;
            }
            const double a1 = wz, b1 = omega_dot(fi, wz);
            const double a2 = wz + h / 2 * b1, b2 = omega_dot(fi + h / 2 * a1, wz + h / 2 * b1);
            const double a3 = wz + h / 2 * b2, b3 = omega_dot(fi + h / 2 * a2, wz + h / 2 * b2);
            const double a4 = wz + h * b3, b4 = omega_dot(fi + h * a3, wz + h * b3);
            fi += h / 6 * (a1 + 2 * a2 + 2 * a3 + a4);
            wz += h / 6 * (b1 + 2 * b2 + 2 * b3 + b4);
        }
        out.emplace_back(fi, wz);
    }
    return out;
}

// The work of each step of a run as the run takes it, with its states.
struct CountedRun {
    std::vector<RunState> steps;
    std::vector<StepWork> work;
};

CountedRun counted_run(const Lab& lab)
{
    CountedRun run;
    RunState s;
    start_run(s, lab.c.fi0_rad, lab.p.wz0);
    while (s.t_f < lab.p.Tmax) {
        run.work.push_back(integration_step(s, {lab.c.W02, lab.c.delta, lab.c.fi_2_x}, lab.c.shag));
        run.steps.push_back(s);
    }
    return run;
}

TEST(StableRuns, StiffRunsStayFiniteLoseEnergyAndFollowAFineReference)
{
    const Inputs cases[] = {
        {"ping-pong ball on a 0.3 m rod in honey", 0.0027, 0.04, 0.038, 0.47, 0.3, 0.001, 0.002, 1.2, 1400, 10, 37,
         -3.5, 16},
        {"the default body in 1000 Pa*s", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 1000, 37, -3.5, 16},
        {"a rod of 10 m", 15.499, 0.4, 0.3, 0.47, 10, 0.5881, 0.008, 1.2, 1000, 0.001004, 37, -3.5, 16},
        {"a fast start", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 0.001004, 37, -50, 16},
        {"a sphere of drag coefficient 10", 15.499, 0.4, 0.3, 10, 1.5, 0.5881, 0.008, 1.2, 1000, 0.001004, 37, -3.5,
         16},
        {"a light shell alone", 0.0001, 0.4, 0.3, 0.47, 1.5, 0, 0.008, 1.2, 1000, 0.001004, 37, -3.5, 1},
        // Beyond 256 Runge-Kutta sub-steps: every step by the stiff method,
        // or the first one, in which the quadratic drag brakes a fast start
        // from 500 rad/s to a thousandth of it.
        {"the default body in 1e5 Pa*s", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 1e5, 37, -3.5, 16},
        {"a sphere of drag coefficient 100 flung at 500 rad/s", 15.499, 0.4, 0.3, 100, 1.5, 0.5881, 0.008, 1.2, 1000,
         0.001004, 37, -500, 1},
    };
    for (const Inputs& in : cases) {
        Lab lab(in);
        ASSERT_EQ(run_refusal(lab.p, lab.c), RunRefusal::none) << in.what;
        EXPECT_EQ(lab.run_it(), RunEnd::reached_tmax) << in.what;
        const std::vector<RunState>& steps = lab.recorder.steps;
        ASSERT_FALSE(steps.empty()) << in.what;
        // Any damping only ever takes energy away: the total stays below the
        // start but for the integration's error.
        const double scale = std::fabs(lab.c.W_00) + std::fabs(lab.c.W_min);
        double worst_gain = 0;
        for (const RunState& s : steps)
            worst_gain = std::max(worst_gain, (s.W_poln - lab.c.W_00) / scale);
        EXPECT_LT(worst_gain, 1e-4) << in.what;

        // The reference's own step: 200 times finer, and finer still where
        // the damping at the run's highest speed needs it to be stable.
        double fastest = std::fabs(lab.p.wz0);
        for (const RunState& s : steps)
            fastest = std::max(fastest, std::fabs(s.wz_new));
        const double stiffness = 2 * lab.c.delta + 2 * lab.c.fi_2_x * fastest + lab.c.W0;
        const int divisions = std::max(200, static_cast<int>(std::ceil(lab.c.shag * stiffness / 0.5)));
        const auto fine = reference(lab.c, lab.c.fi0_rad, lab.p.wz0, steps, divisions);
        double worst_angle = 0;
        for (std::size_t n = 0; n < steps.size(); ++n)
            worst_angle = std::max(worst_angle, std::fabs(steps[n].fi_new - fine[n].first));
        EXPECT_LT(worst_angle / k_grad_rad, 0.05) << in.what << ": degrees off the fine reference";
    }
}

TEST(StableRuns, TheThickestMediaCreepAtOneStiffSubStepAStep)
{
    // At 1e8 and 1e12 Pa*s the fast mode has |h lambda| of 5e5 and 5e9: the
    // angular velocity falls at once to the creep's, some 2e-7 and 2e-11
    // rad/s, and the body hardly moves in the run.
    for (const double eta : {1e8, 1e12}) {
        SCOPED_TRACE(eta);
        Inputs in = defaults;
        in.eta = eta;
        Lab lab(in);
        const CountedRun run = counted_run(lab);
        ASSERT_EQ(run.steps.size(), 738u);
        int stiff_steps = 0;
        for (const StepWork& w : run.work) {
            EXPECT_EQ(w.runge_kutta_steps, 0);
            EXPECT_GE(w.stiff_steps, 1);
            stiff_steps += w.stiff_steps;
        }
        EXPECT_LE(stiff_steps, 738 + 2) << "one sub-step a step, and a try or two more at the start";

        const auto fine = reference(lab.c, lab.c.fi0_rad, lab.p.wz0, run.steps, 200, true);
        double worst_angle = 0;
        for (std::size_t n = 0; n < run.steps.size(); ++n) {
            worst_angle = std::max(worst_angle, std::fabs(run.steps[n].fi_new - fine[n].first));
            ASSERT_TRUE(std::isfinite(run.steps[n].wz_new));
        }
        EXPECT_LT(worst_angle / k_grad_rad, 1e-4) << "degrees off the fine reference";
        EXPECT_NEAR(run.steps.back().wz_new, fine.back().second, 1e-3 * std::fabs(fine.back().second));
    }
}

TEST(StableRuns, EveryLegalInputTakesABoundedWorkAStep)
{
    // The extremes of the boxes' ranges that a run still accepts, and the
    // stiffest starts: however stiff, a step takes at most 256 classical
    // steps or max_stiff_steps stiff ones, and stays finite.
    const Inputs cases[] = {
        {"the thickest medium", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 9.99e14, 37, -3.5, 1},
        {"the default body flung at 1e6 rad/s", 15.499, 0.4, 0.3, 0.47, 1.5, 0.5881, 0.008, 1.2, 1000, 0.001004, 37,
         -1e6, 0.2},
        {"drag coefficients of 1e14", 15.499, 0.4, 0.3, 1e14, 1.5, 0.5881, 0.008, 1e14, 1000, 0.001004, 37, -3.5, 0.2},
        {"a feather of a shell in honey, upside down", 1e-9, 0.4, 0.3, 0.47, 1.5, 0, 0.008, 1.2, 1400, 10, 179.9, 0,
         0.2},
        {"a thick medium and a fast start at once", 15.499, 0.4, 0.3, 100, 1.5, 0.5881, 0.008, 1.2, 1000, 1e6, 37, -1e5,
         0.2},
    };
    for (const Inputs& in : cases) {
        SCOPED_TRACE(in.what);
        Lab lab(in);
        ASSERT_EQ(run_refusal(lab.p, lab.c), RunRefusal::none);
        const CountedRun run = counted_run(lab);
        for (std::size_t n = 0; n < run.steps.size(); ++n) {
            EXPECT_LE(run.work[n].runge_kutta_steps, 1 << max_runge_kutta_halvings);
            EXPECT_LE(run.work[n].stiff_steps, max_stiff_steps);
            EXPECT_TRUE(run.work[n].runge_kutta_steps == 0 || run.work[n].stiff_steps == 0);
            ASSERT_TRUE(std::isfinite(run.steps[n].fi_new) && std::isfinite(run.steps[n].wz_new)) << "step " << n;
        }
    }
}

TEST(StableRuns, TheStepIsHalvedOnlyWhereAModeDecaysFasterThanItResolves)
{
    // A purely linear decay omega' = -2 delta omega: halved until 2 delta h
    // is at most 1.
    RunState s;
    start_run(s, 0, 1);
    struct Case {
        double two_delta_h;
        int halvings;
    };
    constexpr int beyond = max_runge_kutta_halvings + 1;
    for (const Case& k : {Case{0.5, 0}, Case{1.0, 0}, Case{1.1, 1}, Case{2.0, 1}, Case{2.1, 2}, Case{200, 8},
                          Case{256, 8}, Case{257, beyond}, Case{1e3, beyond}, Case{1e12, beyond}}) {
        const MotionCoefficients linear{0, k.two_delta_h / 2, 0};
        EXPECT_EQ(stability_halvings(s, linear, 1.0), k.halvings) << k.two_delta_h;
    }
    // The quadratic drag at the state's own speed counts as well.
    const MotionCoefficients quadratic{0, 0, 0.25};
    s.wz_f = 1;
    EXPECT_EQ(stability_halvings(s, quadratic, 1.0), 0);
    s.wz_f = -4;
    EXPECT_EQ(stability_halvings(s, quadratic, 1.0), 1);
    // Undamped swings are not touched; about an unstable equilibrium only
    // the decaying one of the two modes counts (lambda = -20 here).
    EXPECT_EQ(stability_halvings(s, {4, 0, 0}, 0.1), 0);
    s.wz_f = 0;
    EXPECT_EQ(stability_halvings(s, {-400, 0, 0}, 0.05), 0);
    EXPECT_EQ(stability_halvings(s, {-400, 0, 0}, 1.0), 5);
}

} // namespace
} // namespace vp
