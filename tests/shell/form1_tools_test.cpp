// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring tools as the main window wires them: the kept run, the
// pictures' menus, the analysis window and the saved data.
#include "form1_test_support.h"

#include "analysis/plain_numbers.h"
#include "platform/canvas_widget.h"
#include "shell/picture_tools.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vp::testing {
namespace {

QAction* item(const Lab& lab, CanvasWidget* picture, const char* text)
{
    const auto* tools = picture->findChild<PictureTools*>();
    EXPECT_NE(tools, nullptr) << picture->objectName().toStdString();
    for (QAction* action : tools->menu()->actions()) {
        if (action->text() == QString::fromUtf8(text))
            return action;
    }
    ADD_FAILURE() << text << " on " << lab.form->windowTitle().toStdString();
    return nullptr;
}

TEST(Form1Tools, EachRunIsKeptUntilTheNextStarts)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    lab.form->CmdOK_Click();
    const RunRecord& kept = lab.form->lab().run_record;
    EXPECT_EQ(kept.size(), 5u);
    EXPECT_TRUE(kept.finished());
    EXPECT_EQ(kept.row(4).t, lab.form->lab().s.t_f);
    EXPECT_EQ(kept.row(4).W, lab.form->lab().s.W_poln);

    lab.type("Text20", QStringLiteral("0.05"));
    EXPECT_EQ(kept.size(), 5u) << "an edit does not forget the run";
    std::size_t at_first_pause = 0;
    const int pauses_before = static_cast<int>(lab.doubles.pause.requested.size());
    lab.doubles.pause.during = [&](int pause) {
        if (pause == pauses_before + 1)
            at_first_pause = kept.size();
    };
    lab.form->CmdOK_Click();
    EXPECT_EQ(at_first_pause, 1u) << "a new run starts afresh";
    EXPECT_EQ(kept.size(), 3u);
}

TEST(Form1Tools, EveryPictureOffersTheAnalysisWhichOpensOnce)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("3"));
    lab.form->CmdOK_Click();
    const Controls& c = lab.form->controls();
    for (CanvasWidget* picture : {c.Picture2, c.Picture3, c.Picture4, c.Picture14})
        item(lab, picture, "Анализ колебаний…")->trigger();
    EXPECT_EQ(lab.form->findChildren<AnalysisWindow*>().size(), 1);
    const AnalysisWindow* window = lab.form->analysis_window();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Анализ колебаний"));
    EXPECT_TRUE(window->isVisible());
    EXPECT_FALSE(window->analysis().turning_points().empty()) << "three seconds hold swings";
}

TEST(Form1Tools, TheKeptRunIsSavedAsCsvWhereTheUserSays)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    lab.form->CmdOK_Click();
    lab.doubles.dialogs.answer = lab.folder.filePath(QStringLiteral("моя серия.csv"));
    item(lab, lab.form->controls().Picture3, "Сохранить данные (CSV)…")->trigger();
    EXPECT_EQ(lab.doubles.dialogs.suggested, QStringList{lab.folder.filePath(QStringLiteral("vibrel_run.csv"))});
    QFile saved(lab.doubles.dialogs.answer);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    // The header and one line per step of the kept run.
    const QList<QByteArray> lines = saved.readAll().split('\n');
    const RunRecord& run = lab.form->lab().run_record;
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(run.size()) + 2);
    EXPECT_EQ(lines.front(), QByteArray("t_s,fi_deg,wz_rad_s,W_J,W_kin_J,W_pot_J,D_lin_J,D_quad_J"));
    EXPECT_TRUE(lines.back().isEmpty());
    EXPECT_TRUE(lines[1].startsWith(QByteArray::fromStdString(shortest_text(run.row(0).t) + ",")));

    lab.doubles.dialogs.answer = lab.folder.filePath(QStringLiteral("no folder/series.csv"));
    item(lab, lab.form->controls().Picture3, "Сохранить данные (CSV)…")->trigger();
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(lab.doubles.boxes.shown[0].text,
              QStringLiteral("Не удалось записать файл %1: нет такой папки").arg(lab.doubles.dialogs.answer));
}

} // namespace
} // namespace vp::testing
