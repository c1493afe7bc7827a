// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_export.h"

#include "analysis/csv_export.h"
#include "analysis/run_record.h"
#include "doubles.h"
#include "platform/canvas.h"
#include "platform/file_dialogs.h"
#include "tests/support/file_size_limit.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
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

struct Drawn {
    Canvas canvas;
    Drawn()
    {
        canvas.resize(QSize(120, 80), 2);
        canvas.set_scale(0, 0, 10, 10);
        canvas.line(1, 1, 9, 9, Rgb{255, 0, 0});
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
            outcome = c.picture ? save_picture(dialogs, d.canvas, {}) : save_run_data(dialogs, run, {}, ".");
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

TEST(PictureExport, SavesThePictureByTheSuffixChosen)
{
    QTemporaryDir dir;
    Drawn d;
    NamingDialogs dialogs;
    const std::pair<const char*, QByteArray> cases[] = {{"fi.png", "\x89PNG"}, {"fi.svg", "<?xml"}, {"fi.pdf", "%PDF"}};
    for (const auto& [name, starts_with] : cases) {
        SCOPED_TRACE(name);
        dialogs.answer = dir.filePath(QString::fromLatin1(name));
        EXPECT_EQ(save_picture(dialogs, d.canvas, {}).result, SaveOutcome::saved);
        EXPECT_TRUE(bytes_of(dialogs.answer).startsWith(starts_with));
    }
    // At the device resolution: twice the logical size here.
    const QImage png(dir.filePath(QStringLiteral("fi.png")));
    EXPECT_EQ(png.size(), QSize(240, 160));
    EXPECT_EQ(png.convertToFormat(d.canvas.image().format()).pixel(20, 20), d.canvas.image().pixel(20, 20));
    const QByteArray svg = bytes_of(dir.filePath(QStringLiteral("fi.svg")));
    EXPECT_TRUE(svg.contains("width=\"120\" height=\"80\""));
    EXPECT_TRUE(svg.contains("data:image/png;base64,"));
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
