// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring tools as the main window wires them: the kept run, the
// pictures' menus, the analysis window and the saved data.
#include "form1_test_support.h"

#include "analysis/plain_numbers.h"
#include "platform/canvas_widget.h"
#include "platform/qcolor.h"
#include "shell/picture_tools.h"

#include <QAction>
#include <QFile>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

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

TEST(Form1Tools, APictureIsSavedForAReportByTheDrawingCodeItself)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.5"));
    lab.form->CmdOK_Click();
    CanvasWidget* graph = lab.form->controls().Picture3;
    const auto save = [&](const char* name, int size, CanvasWidget* picture = nullptr) {
        picture = picture != nullptr ? picture : graph;
        lab.doubles.dialogs.answer = lab.folder.filePath(QString::fromLatin1(name));
        lab.doubles.dialogs.choice = size;
        item(lab, picture, "Сохранить изображение…")->trigger();
        QFile file(lab.doubles.dialogs.answer);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // The curve of the run: a red line from each step to the next.
    const QByteArray svg = save("fi.svg", 0);
    EXPECT_FALSE(svg.contains("<image"));
    const QByteArray curve = svg.mid(svg.indexOf("stroke=\"#ff0000\""));
    EXPECT_EQ(curve.count("<polyline"), static_cast<qsizetype>(lab.form->lab().run_record.size()));
    const QImage shown = QImage::fromData(save("fi.png", 0));
    const QImage a4 = QImage::fromData(save("fiA4.png", 2));
    EXPECT_EQ(shown.size(), graph->canvas().image().size());
    EXPECT_EQ(a4.width(), 2480);
    EXPECT_EQ(a4.height(), qRound(graph->height() * 2480.0 / graph->width()));
    const auto red = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixelColor(x, y) == QColor(255, 0, 0);
        return n;
    };
    EXPECT_GT(red(a4), 20 * red(shown)) << "the same curve, drawn finer";
    // The animation: the plane it copies (its grid) and the body over it.
    const QByteArray frame = save("frame.svg", 0, lab.form->controls().Picture2);
    EXPECT_FALSE(frame.contains("<image"));
    EXPECT_TRUE(frame.contains("#80ff80") && frame.contains("#800000") && frame.contains("#0000c0"));
    // The plane is copied at its own size, though the writer's resolution
    // is not the screen's: next to none of the animation's bare background is left.
    QSvgRenderer drawing(frame);
    const Canvas& animation = lab.form->controls().Picture2->canvas();
    QImage drawn_frame(animation.logical_size(), QImage::Format_ARGB32);
    drawn_frame.fill(Qt::white);
    QPainter on(&drawn_frame);
    drawing.render(&on, QRectF(drawn_frame.rect()));
    on.end();
    int bare = 0;
    for (int y = 0; y < drawn_frame.height(); ++y)
        for (int x = 0; x < drawn_frame.width(); ++x)
            bare += drawn_frame.pixelColor(x, y) == to_qcolor(animation.background());
    EXPECT_LT(bare, drawn_frame.width()) << "at most a line of it, at the edge";
    EXPECT_TRUE(lab.doubles.boxes.shown.empty());

    // An edit redraws the axes alone: so does the saved picture.
    lab.type("Text18", QStringLiteral("30"));
    EXPECT_FALSE(save("axes.svg", 0).contains("#ff0000"));
}

TEST(Form1Tools, AMinimisedAnalysisWindowComesBackWhenChosen)
{
    Lab lab;
    QAction* analyse = item(lab, lab.form->controls().Picture2, "Анализ колебаний…");
    analyse->trigger();
    AnalysisWindow* window = lab.form->analysis_window();
    ASSERT_NE(window, nullptr);
    window->showMinimized();
    QCoreApplication::processEvents();
    analyse->trigger();
    EXPECT_FALSE(window->isMinimized());
    EXPECT_TRUE(window->isVisible());
    // Its plots are saved as the pictures are.
    for (QWidget* plot : {window->findChild<QWidget*>(QStringLiteral("PhasePortrait")),
                          window->findChild<QWidget*>(QStringLiteral("AmplitudePlot"))}) {
        ASSERT_NE(plot, nullptr);
        EXPECT_EQ(plot->contextMenuPolicy(), Qt::CustomContextMenu);
    }
}

} // namespace
} // namespace vp::testing
