// SPDX-License-Identifier: GPL-3.0-or-later
// Legal inputs the laboratory's step was not made for, files that are not
// files, and changes in the middle of a run: nothing unsound is ever shown
// or written, and nothing hangs.
#include "form1_test_support.h"

#include "input/number_reading.h"

#include <QCheckBox>
#include <QFile>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <sys/stat.h>
#include <vector>

namespace vp::testing {
namespace {

// A parameter file of the usual shape, one line "label, value, remark" per
// quantity in the order of the boxes.
QByteArray parameter_file(const std::vector<const char*>& values)
{
    QByteArray file;
    for (const char* value : values)
        file += QByteArray("q, ") + value + ", -\r\n";
    return file;
}

void write(const Lab& lab, const char* name, const QByteArray& bytes)
{
    QFile f(lab.folder.filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QList<QByteArray> rows_of(const Lab& lab)
{
    QFile f(lab.folder.filePath(QStringLiteral("vibrel_out.txt")));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll().split('\n').mid(16);
}

TEST(Form1Soundness, ThickLiquidsRunSmoothlyToTheEnd)
{
    struct Case {
        const char* what;
        std::vector<const char*> values;
    };
    const Case cases[] = {
        {"a ping-pong ball on a 0.3 m rod in honey",
         {"0.0027", "0.04", "0.038", "0.47", "0.3", "0.001", "0.002", "1.2", "1400", "10", "37", "-3.5", "2"}},
        {"the default body in 1000 Pa*s",
         {"15.499", "0.4", "0.3", "0.47", "1.5", "0.5881", "0.008", "1.2", "1000", "1000", "37", "-3.5", "2"}},
    };
    for (const Case& c : cases) {
        Lab lab;
        write(lab, "vibrel_in.txt", parameter_file(c.values));
        // The outer diameter is checked against the inner one as it stands:
        // the second loading finds the file's own.
        lab.form->Label10_Click();
        lab.form->Label10_Click();
        EXPECT_EQ(lab.form->lab().p.diametr_2, read_number(c.values[1]).value) << c.what;
        lab.doubles.boxes.shown.clear();
        lab.form->controls().Check_p->click();
        lab.form->controls().CmdOK->click();
        EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << c.what;
        const std::size_t steps = lab.doubles.pause.requested.size();
        const QList<QByteArray> rows = rows_of(lab);
        ASSERT_EQ(static_cast<std::size_t>(rows.size()), steps + 1) << c.what << ": a row per step, then the end";
        for (qsizetype i = 0; i + 1 < rows.size(); ++i) {
            for (const QByteArray& item : rows[i].simplified().split(' '))
                EXPECT_TRUE(std::isfinite(value_of_shown(QString::fromLatin1(item)))) << c.what << " row " << i;
        }
        EXPECT_TRUE(std::isfinite(lab.form->lab().s.W_poln));
        EXPECT_LE(lab.form->lab().s.W_poln, lab.form->lab().c.W_00) << c.what << ": damping only takes energy away";
    }
}

TEST(Form1Soundness, AFileLoadedDuringARunThatLeavesNoSoundRunEndsIt)
{
    // A time span that would take 145973 years: every value passes its box,
    // but the run could not be made; the same values at the start button
    // are refused.
    Lab lab;
    lab.type("Text20", QStringLiteral("1"));
    write(lab, "vibrel_in.txt",
          parameter_file({"15.499", "0.4", "0.3", "0.47", "1.5", "0.5881", "0.008", "1.2", "1000", "0.001004", "37",
                          "-3.5", "1e13"}));
    lab.form->controls().Check_p->click();
    lab.doubles.pause.during = [&lab](int step) {
        if (step == 2)
            lab.form->Label10_Click();
    };
    lab.form->controls().CmdOK->click();
    EXPECT_EQ(lab.doubles.pause.requested.size(), 2u);
    ASSERT_FALSE(lab.doubles.boxes.shown.empty());
    EXPECT_EQ(lab.doubles.boxes.shown.back().text,
              QStringLiteral("Расчёт займёт 4.6E+14 шагов, это 145973 года! Уменьшите время расчёта или число точек "
                             "на период. Исправьте параметры!"));
    EXPECT_EQ(rows_of(lab).size(), 3) << "the two sound rows, then the end";
    EXPECT_EQ(lab.form->controls().CmdOK->text(), QStringLiteral("ПУСК"));
    EXPECT_TRUE(lab.box("Text1")->isEnabled());
}

TEST(Form1Soundness, RunsOfAbsurdSizeOrLengthAreRefusedAtTheStart)
{
    struct Case {
        const char* box;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"Text20", "1e13",
         "Расчёт займёт 4.6E+14 шагов, это 145973 года! Уменьшите время расчёта или число точек на период. "
         "Исправьте параметры!"},
        {"Text1", "1e14",
         "При этих параметрах энергия или размах колебаний слишком велики для расчёта! Исправьте параметры!"},
    };
    for (const Case& c : cases) {
        Lab lab;
        if (std::string_view(c.box) == "Text1")
            lab.type("Text2", QStringLiteral("1e14"));
        lab.type(c.box, QString::fromLatin1(c.text));
        lab.doubles.boxes.shown.clear();
        lab.form->controls().CmdOK->click();
        EXPECT_TRUE(lab.doubles.pause.requested.empty()) << c.text;
        ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u) << c.text;
        EXPECT_EQ(lab.doubles.boxes.shown[0].text, QString::fromUtf8(c.message));
    }
}

TEST(Form1Soundness, FilesThatAreNotFilesAreRefusedWithoutAHang)
{
    Lab lab;
    for (const char* name : {"vibrel_in.txt", "vibrel_out.txt"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(lab.folder.filePath(QString::fromLatin1(name))).constData(), 0600), 0);
    lab.form->Label10_Click();
    lab.form->controls().Check_p->click();
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 2u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].text,
              QStringLiteral("Файл vibrel_in.txt не удаётся прочитать: это не обычный файл! Параметры не загружены."));
    EXPECT_EQ(lab.doubles.boxes.shown[1].text,
              QStringLiteral("Файл результатов vibrel_out.txt записать нельзя: это не обычный файл"));
    EXPECT_FALSE(lab.form->controls().Check_p->isChecked());
}

} // namespace
} // namespace vp::testing
