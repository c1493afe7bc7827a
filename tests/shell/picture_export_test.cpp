// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_export.h"

#include "analysis/csv_export.h"
#include "analysis/run_record.h"
#include "doubles.h"
#include "platform/canvas.h"
#include "platform/file_dialogs.h"
#include "platform/painter_surface.h"
#include "tests/support/file_size_limit.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace vp {
namespace {

using testing::NamingDialogs;

QByteArray bytes_of(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A line and a caption, drawn by the same calls on every surface.
void draw(Surface& s)
{
    s.set_scale(0, 0, 10, 10);
    s.clear();
    s.line(1, 1, 9, 9, Rgb{255, 0, 0});
    s.move_to(1, 8);
    s.print("t, c");
}

struct Drawn {
    Canvas canvas;
    ExportablePicture picture;
    Drawn()
    {
        canvas.resize(QSize(120, 80), 2);
        draw(canvas);
        picture.logical_size = canvas.logical_size();
        picture.as_shown = [this] { return canvas.image(); };
        picture.redrawn = [](qreal ratio) {
            Canvas again;
            again.resize(QSize(120, 80), ratio);
            draw(again);
            return again.image();
        };
        picture.drawn_on = [](QPainter& painter) {
            PainterSurface shapes(painter, QSize(120, 80), Rgb{255, 255, 255}, Rgb{0, 0, 0}, Canvas().font());
            draw(shapes);
        };
    }
};

TEST(PictureExport, SavesTheRunAsCsvWhereTheDialogSays)
{
    QTemporaryDir dir;
    RunRecord run;
    run.start({});
    run.append({0.5, -1.25, 2, 3.5f});
    NamingDialogs dialogs;
    dialogs.answer = dir.filePath(QStringLiteral("прогон.csv"));
    const SaveOutcome saved = save_run_data(dialogs, run, QStringLiteral("/suggested/vibrel_run.csv"), ".");
    EXPECT_EQ(saved.result, SaveOutcome::saved);
    EXPECT_EQ(saved.path, dialogs.answer);
    EXPECT_EQ(dialogs.suggested, QStringList{QStringLiteral("/suggested/vibrel_run.csv")});
    EXPECT_EQ(bytes_of(dialogs.answer),
              QByteArray("t_s,fi_deg,wz_rad_s,W_J,W_kin_J,W_pot_J,D_lin_J,D_quad_J\n0.5,-1.25,2,3.5,0,-0,0,0\n"));

    EXPECT_EQ(dialogs.filters_offered.back(), QStringLiteral("CSV (*.csv);;CSV для Excel (*.csv)"));

    // For a spreadsheet: the mark, ";" and the separator given.
    dialogs.chosen_filter = QStringLiteral("CSV для Excel (*.csv)");
    EXPECT_EQ(save_run_data(dialogs, run, {}, ",").result, SaveOutcome::saved);
    EXPECT_EQ(bytes_of(dialogs.answer),
              QByteArray("\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J;W_kin_J;W_pot_J;D_lin_J;D_quad_J\n"
                         "0,5;-1,25;2;3,5;0;-0;0;0\n"));

    dialogs.answer.clear();
    EXPECT_EQ(save_run_data(dialogs, run, {}, ".").result, SaveOutcome::cancelled);
}

TEST(PictureExport, AFileThatCannotBeWrittenSaysWhyAndLeavesTheOldOne)
{
    QTemporaryDir dir;
    RunRecord run;
    run.start({});
    for (int i = 0; i < 1000; ++i)
        run.append({0.5 * i, -1.25, 2, 3.5f});
    Drawn d;
    const QString old_file = dir.filePath(QStringLiteral("old.csv"));
    {
        QFile f(old_file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder.csv")));
    struct Case {
        const char* what;
        QString path;
        bool picture;
        rlim_t size_limit; // 0: none
        const char* reason;
    };
    const Case cases[] = {
        {"no such folder", dir.filePath(QStringLiteral("no such folder/run.csv")), false, 0, "нет такой папки"},
        {"a folder of that name", dir.filePath(QStringLiteral("folder.csv")), false, 0, "это папка, а не файл"},
        {"a full disk", old_file, false, 100, "файл стал слишком большим"},
        {"a format without a writer", dir.filePath(QStringLiteral("fi.xyz")), true, 0,
         "изображения в формате «xyz» эта программа не пишет"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NamingDialogs dialogs;
        dialogs.answer = c.path;
        SaveOutcome outcome;
        {
            std::optional<testing::FileSizeLimit> limit;
            if (c.size_limit > 0)
                limit.emplace(c.size_limit);
            outcome = c.picture ? save_picture(dialogs, d.picture, {}) : save_run_data(dialogs, run, {}, ".");
        }
        EXPECT_EQ(outcome.result, SaveOutcome::failed);
        EXPECT_EQ(save_failure_text(outcome),
                  QStringLiteral("Не удалось записать файл %1: %2").arg(c.path, QString::fromUtf8(c.reason)));
        EXPECT_EQ(bytes_of(old_file), QByteArray("old"));
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  (QStringList{QStringLiteral("folder.csv"), QStringLiteral("old.csv")}))
            << "nothing left behind";
    }
}

TEST(PictureExport, ALongSaveTellsHowFarItHasCome)
{
    QTemporaryDir dir;
    RunRecord run;
    run.start({});
    for (int i = 0; i < 20000; ++i)
        run.append({0.01 * i, 30.0 / (1 + i), -0.5, 2.25f});
    NamingDialogs dialogs;
    dialogs.answer = dir.filePath(QStringLiteral("run.csv"));
    std::vector<double> told;
    EXPECT_EQ(save_run_data(dialogs, run, {}, ".", [&](double done) { told.push_back(done); }).result,
              SaveOutcome::saved);
    std::string whole;
    write_csv(run, [&whole](std::string_view piece) { whole += piece; });
    EXPECT_EQ(bytes_of(dialogs.answer), QByteArray::fromStdString(whole));
    ASSERT_GE(told.size(), 3u) << "a piece of some tens of kilobytes at a time";
    EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
    EXPECT_GT(told.front(), 0);
    EXPECT_EQ(told.back(), 1);
}

TEST(PictureExport, SavesThePictureByTheSuffixAndTheSizeChosen)
{
    QTemporaryDir dir;
    Drawn d;
    NamingDialogs dialogs;
    struct Case {
        const char* name;
        int size_choice;
        QByteArray starts_with;
        QSize pixels; // of an image file
    };
    const Case cases[] = {
        {"fi.png", 0, "\x89PNG", {240, 160}}, // at the screen's resolution: twice the logical size here
        {"fi3.png", 1, "\x89PNG", {360, 240}}, {"fiA4.png", 2, "\x89PNG", {2480, 1653}},
        {"fi.svg", -1, "<?xml", {}},           {"fi.pdf", -1, "%PDF", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs.answer = dir.filePath(QString::fromLatin1(c.name));
        dialogs.choice = c.size_choice;
        dialogs.offered.clear();
        EXPECT_EQ(save_picture(dialogs, d.picture, {}).result, SaveOutcome::saved);
        EXPECT_TRUE(bytes_of(dialogs.answer).startsWith(c.starts_with));
        EXPECT_EQ(dialogs.offered.size(), c.pixels.isEmpty() ? 0 : 3) << "the size is asked for images only";
        if (!c.pixels.isEmpty()) {
            EXPECT_EQ(QImage(dialogs.answer).size(), c.pixels);
        }
    }
    dialogs.answer = dir.filePath(QStringLiteral("again.png"));
    dialogs.choice = 0;
    save_picture(dialogs, d.picture, {});
    EXPECT_EQ(dialogs.offered, (QStringList{QStringLiteral("Как на экране (120 × 80)"),
                                            QStringLiteral("Для печати, втрое крупнее (360 × 240)"),
                                            QStringLiteral("Для печати, 300 dpi на ширину листа A4 (2480 × 1653)")}));
    const QImage png(dir.filePath(QStringLiteral("fi.png")));
    EXPECT_EQ(png.convertToFormat(d.canvas.image().format()).pixel(20, 20), d.canvas.image().pixel(20, 20));
    // The redrawn image is the same drawing, finer: red on the diagonal.
    const QImage fine(dir.filePath(QStringLiteral("fi3.png")));
    EXPECT_EQ(fine.pixelColor(180, 120).red(), 255);
    EXPECT_LT(fine.pixelColor(180, 120).green(), 128);

    // Shapes and text, not an image in a wrapper.
    const QByteArray svg = bytes_of(dir.filePath(QStringLiteral("fi.svg")));
    EXPECT_FALSE(svg.contains("<image")) << svg.toStdString();
    EXPECT_TRUE(svg.contains("<polyline") || svg.contains("<line") || svg.contains("<path")) << svg.toStdString();
    EXPECT_TRUE(svg.contains("t, c"));
    EXPECT_TRUE(svg.contains("width=\"120") || svg.contains("viewBox=\"0 0 120 80\""));

    dialogs.answer = dir.filePath(QStringLiteral("cancelled.png"));
    dialogs.choice = -1;
    EXPECT_EQ(save_picture(dialogs, d.picture, {}).result, SaveOutcome::cancelled);
    EXPECT_FALSE(QFile::exists(dialogs.answer));
}

TEST(PictureExport, CopiesThePictureAsItIs)
{
    Drawn d;
    copy_picture(d.canvas);
    const QImage copied = QGuiApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), d.canvas.image().size());
    EXPECT_EQ(copied.convertToFormat(d.canvas.image().format()).pixel(20, 20), d.canvas.image().pixel(20, 20));
}

} // namespace
} // namespace vp
