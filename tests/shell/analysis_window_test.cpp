// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/analysis_window.h"

#include "analysis/run_record.h"
#include "analysis/table_texts.h"
#include "doubles.h"
#include "model/constants.h"
#include "shell/analysis_charts.h"
#include "tests/analysis/synthetic_runs.h"
#include "tests/support/c_library_locale.h"

#include <QAbstractItemModel>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace vp {
namespace {

std::string separator()
{
    return QLocale().decimalPoint().toStdString();
}

Characteristics swinging_once_a_second()
{
    Characteristics c;
    c.W02 = 4 * pi * pi;
    c.W0 = two_pi;
    c.T0 = c.Ts = 1;
    return c;
}

struct Window {
    testing::ManualClock clock;
    AnalysisWindow window{clock};
    int rows() const { return window.findChild<QTableView*>(QStringLiteral("SwingTable"))->model()->rowCount(); }
    QString status() const { return window.findChild<QLabel*>(QStringLiteral("AnalysisStatus"))->text(); }
};

TEST(AnalysisWindow, ShowsTheSwingsAndCopiesTheTable)
{
    Window w;
    const RunRecord run =
        testing::record_of(testing::damped_cosine(0, 20, 0.1, two_pi), 0.01, 4.2, swinging_once_a_second());
    w.window.show_analysis(run, separator());
    EXPECT_EQ(w.window.windowTitle(), QStringLiteral("Анализ колебаний"));
    EXPECT_TRUE(w.window.isVisible());
    EXPECT_FALSE(w.window.isModal());
    EXPECT_EQ(w.rows(), 8);
    EXPECT_TRUE(w.status().startsWith(QStringLiteral("Положение равновесия: 0°. Точек поворота: 8.")));
    EXPECT_EQ(w.window.findChild<QTableWidget*>(QStringLiteral("SwingSummary"))->rowCount(), 7);
    for (const char* plot : {"PhasePortrait", "AmplitudePlot", "EnergyPlot"})
        EXPECT_NE(w.window.findChild<QWidget*>(QString::fromUtf8(plot)), nullptr) << plot;
    EXPECT_TRUE(w.window.findChild<QLabel*>(QStringLiteral("AnalysisExplanation"))
                    ->text()
                    .contains(QStringLiteral("Режим обтекания: вакуум")));

    auto* copy = w.window.findChild<QPushButton*>(QStringLiteral("CmdCopyTable"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), QStringLiteral("Копировать таблицу"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromStdString(swing_table_text(w.window.analysis(), explain_run(run), true, separator())));
}

TEST(AnalysisWindow, RedrawsARunningRunAFewTimesASecond)
{
    Window w;
    const auto motion = testing::damped_cosine(0, 20, 0.1, two_pi);
    RunRecord run;
    run.start(swinging_once_a_second());
    testing::append_steps(run, motion, 0.01, 1, 120);

    // Closed: the steps are not even read.
    w.window.update_analysis(run, separator());
    EXPECT_EQ(w.window.analysis().steps_read(), 0u);

    w.window.show_analysis(run, separator());
    EXPECT_EQ(w.rows(), 2);
    testing::append_steps(run, motion, 0.01, 121, 260);
    w.window.update_analysis(run, separator());
    EXPECT_EQ(w.window.analysis().turning_points().size(), 5u) << "read at once";
    EXPECT_EQ(w.rows(), 2) << "drawn later";
    w.clock.now += AnalysisWindow::refresh_interval;
    w.window.update_analysis(run, separator());
    EXPECT_EQ(w.rows(), 5);

    // The end of the run is drawn at once, and a new run replaces it.
    testing::append_steps(run, motion, 0.01, 261, 320);
    run.finish();
    w.window.update_analysis(run, separator());
    EXPECT_EQ(w.rows(), 6);
    run.start(swinging_once_a_second());
    testing::append_steps(run, motion, 0.01, 1, 2);
    w.window.update_analysis(run, separator());
    EXPECT_EQ(w.rows(), 0);
    EXPECT_TRUE(w.status().contains(QStringLiteral("Точек поворота пока нет.")));
    EXPECT_TRUE(w.status().endsWith(QStringLiteral("Идёт расчёт (2 шага)."))) << w.status().toStdString();
}

TEST(AnalysisCharts, LogarithmicTicksAtOneTwoFiveOfEachDecade)
{
    struct Case {
        double low, high;
        const char* labels;
    };
    const Case cases[] = {
        {0.5, 120, "0,5 1 2 5 10 20 50 100"},
        {0.011, 0.2, "0,02 0,05 0,1 0,2"},
        {2, 9, "2 3 4 5 6 7 8 9"},  // two of 1-2-5: every digit
        {12, 31.25, "15 20 25 30"}, // a run from 25° to 15°: a linear step
        {19.8, 31.3, "20 25 30"},   // a decay of a per cent
        {2.05e-7, 4e-6, "5e-07 1e-06 2e-06"},
    };
    for (const Case& k : cases) {
        std::string labels;
        for (const AxisTick& tick : log_axis_ticks(k.low, k.high, ","))
            labels += (labels.empty() ? "" : " ") + tick.label;
        EXPECT_EQ(labels, k.labels) << k.low;
    }
}

TEST(AnalysisWindow, MarksWhereThePhysicsChanged)
{
    // A second part from step 150 (t = 1.5 s), with another viscosity.
    const auto motion = testing::damped_cosine(0, 20, 0.1, two_pi);
    Characteristics c = swinging_once_a_second();
    RunRecord run;
    run.start(c);
    for (int n = 1; n <= 420; ++n) {
        if (n == 151)
            c.delta = 0.1;
        RunState s;
        s.t_f = 0.01 * n;
        s.fi_new = s.fi_f = motion.fi(s.t_f) * k_grad_rad;
        s.wz_new = s.wz_f = static_cast<float>(motion.dfi(s.t_f) * k_grad_rad);
        run.append(s, {}, c);
    }
    run.finish();
    Window w;
    w.window.show_analysis(run, ".");
    // Points near 0.5, 1 and 1.5 s, the change, then 2 ... 4 s.
    const QAbstractItemModel* table = w.window.findChild<QTableView*>(QStringLiteral("SwingTable"))->model();
    ASSERT_EQ(table->rowCount(), 3 + 1 + 5);
    EXPECT_EQ(table->index(2, 0).data().toInt(), 3);
    EXPECT_EQ(table->index(3, 0).data().toString(), QStringLiteral("с t = 1.5000 c — новые параметры"));
    EXPECT_EQ(table->index(4, 0).data().toInt(), 4);
    EXPECT_EQ(table->index(5, 4).data().toString(), QString()) << "no swing across the change";
    EXPECT_EQ(table->index(6, 4).data().toString(), QStringLiteral("1.0000"));
    EXPECT_TRUE(w.status().contains(QStringLiteral("Параметры менялись во время расчёта")));
}

} // namespace
} // namespace vp
