// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_export.h"

#include "analysis/csv_export.h"
#include "analysis/run_record.h"
#include "platform/canvas.h"
#include "platform/file_dialogs.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace vp {
namespace {

// Answers the dialog with a name chosen beforehand ("" is Cancel).
class NamingDialogs final : public FileDialogs {
public:
    QString save_file_name(const QString&, const QString& suggested_path, const QString&) override
    {
        suggested.push_back(suggested_path);
        return answer;
    }
    QStringList suggested;
    QString answer;
};

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
    EXPECT_EQ(bytes_of(dialogs.answer), QByteArray::fromStdString(csv_text(run)));

    dialogs.answer.clear();
    EXPECT_EQ(save_run_data(dialogs, run, {}, ".").result, SaveOutcome::cancelled);
    dialogs.answer = dir.filePath(QStringLiteral("no such folder/run.csv"));
    const SaveOutcome failed = save_run_data(dialogs, run, {}, ".");
    EXPECT_EQ(failed.result, SaveOutcome::failed);
    EXPECT_TRUE(save_failure_text(failed.path).contains(QStringLiteral("run.csv")));
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
