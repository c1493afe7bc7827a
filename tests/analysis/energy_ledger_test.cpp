// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of the laboratory kept as the window keeps them: where their energy
// goes, and a run whose physics changes half-way.
#include "analysis/run_explanation.h"
#include "analysis/swing_analysis.h"
#include "model/run.h"
#include "tests/support/default_lab.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace vp {
namespace {

// The window's side of a run: every step kept; the pause may load new quantities.
struct KeptRun final : testing::DefaultLab, RunObserver {
    RunState s;
    RunControl control;
    RunRecord record;
    std::function<void(int step)> during_pause;
    int steps = 0;

    void step_done(const RunState& state) override
    {
        record.append(state, p, c);
        if (during_pause)
            during_pause(++steps);
    }
    void run_it()
    {
        parametr(p, run.n_tochek, c);
        record.start(c, p);
        control.start();
        ASSERT_EQ(raschet(s, p, c, control, *this), RunEnd::reached_tmax);
        record.finish();
    }
    void castor_oil()
    {
        p = {44.17, 0.32, 0.28, 0.47, 1.2, 0.735, 0.01, 1.2, 961, 0.99, 30, 0, 20};
        derive_r_shar_2(p);
        derive_r_shar_1(p);
    }
};

TEST(EnergyLedger, TheBalanceClosesAndTheDragsTakeTheirShares)
{
    struct Case {
        const char* name;
        double eta, ro_0, c_shar; // on the castor-oil body
        double largest_residual;  // of the energy available
        double linear_share_low, linear_share_high;
    };
    const Case cases[] = {
        {"castor oil", 0.99, 961, 0.47, 1e-6, 0.18, 0.2},
        {"water", 0.001002, 998, 0.47, 1e-5, 0, 1e-3},
        // Stable sub-steps follow the fastest mode only to some per cent a sub-step.
        {"stiff: 5000 Pa*s, in sixteen sub-steps", 5000, 961, 0.47, 1e-3, 0.999, 1},
        // The stiff method's steps: the fall of the energy, shared by the powers.
        {"the thickest: 1e8 Pa*s", 1e8, 961, 0.47, 1e-6, 0.999, 1},
        {"vacuum", 0, 0, 0.47, 1e-6, 0, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        KeptRun lab;
        lab.castor_oil();
        lab.p.eta = k.eta;
        lab.p.ro_0 = k.ro_0;
        lab.run_it();
        const RunRecord& r = lab.record;
        ASSERT_EQ(r.parts().size(), 1u);
        const RunExplanation e = explain_run(r);
        ASSERT_TRUE(e.energy);
        EXPECT_LT(e.energy->largest_residual / e.energy->available, k.largest_residual);
        const double taken = e.energy->D_lin + e.energy->D_quad;
        if (k.linear_share_high == 0) {
            EXPECT_EQ(taken, 0);
        } else {
            EXPECT_GE(e.energy->D_lin / taken, k.linear_share_low);
            EXPECT_LE(e.energy->D_lin / taken, k.linear_share_high);
        }
        // The ledger's mechanical energy is the one the graphs show.
        for (const std::size_t i : {std::size_t{0}, r.size() / 2, r.size() - 1}) {
            const EnergyRow row = r.energy(i);
            EXPECT_NEAR(row.W_kin + row.W_pot, r.row(i).W, 1e-6 * e.energy->available + 1e-4) << i;
        }
    }
}

TEST(EnergyLedger, AVacuumDecrementReadsAsTheComputationsNoise)
{
    KeptRun lab;
    lab.castor_oil();
    lab.p.eta = lab.p.ro_0 = 0;
    lab.p.Tmax = 60;
    lab.run_it();
    SwingAnalysis a;
    a.update(lab.record);
    const std::vector<Comparison> rows = a.comparisons();
    EXPECT_EQ(rows[2].reading, Reading::within_noise) << *rows[2].measured;
    EXPECT_EQ(rows[3].reading, Reading::above);
    EXPECT_EQ(rows[4].reading, Reading::within_noise);
    EXPECT_EQ(rows[5].reading, Reading::unresolved);
    EXPECT_EQ(rows[6].reading, Reading::unresolved);
}

TEST(EnergyLedger, ARunWhoseViscosityChangesIsMeasuredInParts)
{
    // Castor oil, then a tenth of its viscosity from step 400 on, as a
    // parameter file loaded during a pause would make it.
    KeptRun lab;
    lab.castor_oil();
    lab.p.Tmax = 30;
    Characteristics before;
    lab.during_pause = [&lab, &before](int step) {
        if (step != 400)
            return;
        before = lab.c;
        lab.p.eta = 0.099;
        parametr(lab.p, lab.run.n_tochek, lab.c);
    };
    lab.run_it();
    const RunRecord& r = lab.record;
    ASSERT_EQ(r.parts().size(), 2u);
    EXPECT_EQ(r.parts()[1].first_step, 400u);
    EXPECT_EQ(r.parts()[0].c.delta, before.delta);
    EXPECT_LT(r.parts()[1].largest_residual / r.parts()[1].available, 1e-5);

    SwingAnalysis a;
    a.update(r);
    ASSERT_EQ(a.changes().size(), 1u);
    EXPECT_DOUBLE_EQ(a.changes()[0].t, r.t(399));
    // The first two points of the new part make no swing; after them every
    // swing agrees with the theory of the new viscosity.
    const std::size_t first = a.changes()[0].first_point;
    ASSERT_GT(a.turning_points().size(), first + 6);
    EXPECT_FALSE(a.turning_points()[first + 1].period);
    for (std::size_t i = first + 2; i < a.turning_points().size(); ++i) {
        const TurningPoint& p = a.turning_points()[i];
        EXPECT_NEAR(*p.log_decrement / *p.theory.log_decrement, 1, 0.005) << p.t;
    }
    const std::vector<Comparison> rows = a.comparisons();
    EXPECT_EQ(rows[0].theory, lab.c.Ts);
    EXPECT_NEAR(*rows[5].measured / lab.c.delta, 1, 0.02);
    EXPECT_NEAR(*rows[6].measured / lab.c.fi_2_x, 1, 0.02);
}

} // namespace
} // namespace vp
