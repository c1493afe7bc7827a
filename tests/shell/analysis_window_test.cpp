// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/analysis_window.h"

#include "analysis/run_record.h"
#include "analysis/table_texts.h"
#include "doubles.h"
#include "model/constants.h"
#include "tests/analysis/synthetic_runs.h"

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
    EXPECT_EQ(w.window.findChild<QTableWidget*>(QStringLiteral("SwingSummary"))->rowCount(), 5);

    auto* copy = w.window.findChild<QPushButton*>(QStringLiteral("CmdCopyTable"));
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(copy->text(), QStringLiteral("Копировать таблицу"));
    copy->click();
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromStdString(swing_table_text(w.window.analysis(), true, separator())));
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

} // namespace
} // namespace vp
