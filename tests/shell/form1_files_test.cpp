// SPDX-License-Identifier: GPL-3.0-or-later
// The results file as the window writes it: the head when Check_p is
// ticked, the rows of a run, and what happens to the file when the run ends,
// the program closes or the folder cannot take it.
#include "form1_test_support.h"

#include "model/constants.h"
#include "tests/support/file_size_limit.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string_view>
#include <unistd.h>
#include <vector>

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace vp::testing {
namespace {

QString results_path(const Lab& lab)
{
    return lab.folder.filePath(QStringLiteral("vibrel_out.txt"));
}

QByteArray file_bytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// The file's lines without their CR LF. A bare LF stays inside its line, and
// a last line without its end is marked "<no line end>", so that either shows
// in a comparison.
std::vector<QByteArray> lines_of(const QByteArray& bytes)
{
    std::vector<QByteArray> lines;
    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype end = bytes.indexOf("\r\n", start);
        if (end < 0) {
            lines.push_back(bytes.mid(start) + "<no line end>");
            break;
        }
        lines.push_back(bytes.mid(start, end - start));
        start = end + 2;
    }
    return lines;
}

// How many descriptors of this process have the file open; -1 where the
// system does not tell.
int open_handles(const QString& path)
{
    QDir descriptors(QStringLiteral("/proc/self/fd"));
    if (!descriptors.exists())
        return -1;
    const QString target = QFileInfo(path).canonicalFilePath();
    int count = 0;
    for (const QFileInfo& fd : descriptors.entryInfoList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        if (fd.symLinkTarget() == target)
            ++count;
    }
    return count;
}

#define EXPECT_OPEN_HANDLES(path, n)                                                                                   \
    do {                                                                                                               \
        const int handles = open_handles(path);                                                                        \
        if (handles >= 0) {                                                                                            \
            EXPECT_EQ(handles, n);                                                                                     \
        }                                                                                                              \
    } while (false)

void tick(Lab& lab)
{
    lab.form->controls().Check_p->click();
}

void press(Lab& lab)
{
    lab.form->controls().CmdOK->click();
}

TEST(Form1ResultsFile, TickingWritesTheHeadInTheLabsCodePage)
{
    Lab lab;
    tick(lab);
    ASSERT_TRUE(lab.form->controls().Check_p->isChecked());
    const QByteArray bytes = file_bytes(results_path(lab));
    const std::vector<QByteArray> lines = lines_of(bytes);
    ASSERT_EQ(lines.size(), 16u) << bytes.toStdString();
    EXPECT_EQ(bytes.count('\n'), bytes.count("\r\n"));
    // Windows-1251: п а р а м е т р ы, к г, Т, с.
    EXPECT_EQ(lines[0], QByteArray("    \xEF\xE0\xF0\xE0\xEC\xE5\xF2\xF0\xFB"));
    EXPECT_EQ(lines[1], QByteArray("m (\xEA\xE3) =      15.4990"));
    EXPECT_EQ(lines[13], QByteArray("\xD2 (\xF1) =") + QByteArray(7, ' ') + " 16");
    EXPECT_EQ(lines[15].left(7), QByteArray("    t,c"));
    // Lines 2 to 14 carry the boxes as shown, from column 15.
    const char* const boxes[] = {"Text1",  "Text4", "Text7", "Text8",  "Text2",  "Text6", "Text9",
                                 "Text34", "Text3", "Text5", "Text18", "Text19", "Text20"};
    for (std::size_t i = 0; i < std::size(boxes); ++i)
        EXPECT_EQ(lines[i + 1].mid(14), lab.text(boxes[i]).toLatin1()) << boxes[i];
    EXPECT_OPEN_HANDLES(results_path(lab), 1);
}

TEST(Form1ResultsFile, TheHeadTellsTheValuesOfTheRunItRecords)
{
    // Changed after the tick: the head is written anew before the first row.
    Lab changed;
    changed.type("Text20", QStringLiteral("0.05"));
    tick(changed);
    changed.type("Text1", QStringLiteral("12"));
    changed.type("Text20", QStringLiteral("0.06"));
    press(changed);
    const std::vector<QByteArray> lines = lines_of(file_bytes(results_path(changed)));
    ASSERT_GT(lines.size(), 16u);
    EXPECT_EQ(lines[1], QByteArray("m (\xEA\xE3) =      12.0000"));
    EXPECT_EQ(lines[13], QByteArray("\xD2 (\xF1) =") + QByteArray(7, ' ') + " .06");
    EXPECT_EQ(changed.form->lab().p.massa, 12);
    EXPECT_TRUE(changed.doubles.boxes.shown.empty());

    // Unchanged, or changed and changed back: the head of the tick, byte for
    // byte, and the file never emptied in between.
    Lab same;
    same.type("Text20", QStringLiteral("0.06"));
    same.type("Text1", QStringLiteral("12"));
    tick(same);
    const QByteArray at_tick = file_bytes(results_path(same));
    same.type("Text1", QStringLiteral("13"));
    same.type("Text1", QStringLiteral("12"));
    QByteArray at_first_pause;
    same.doubles.pause.during = [&](int pause_number) {
        if (pause_number == 1)
            at_first_pause = file_bytes(results_path(same));
    };
    press(same);
    EXPECT_TRUE(at_first_pause.startsWith(at_tick));
    EXPECT_EQ(lines_of(at_first_pause).size(), 17u);
    const QByteArray bytes = file_bytes(results_path(same));
    EXPECT_EQ(bytes.left(at_tick.size()), at_tick);
    EXPECT_EQ(bytes, file_bytes(results_path(changed))) << "the same run, the same file";
}

TEST(Form1ResultsFile, ARunAppendsOneRowPerCompletedStep)
{
    struct Case {
        int stop_at; // 0: the run goes to Tmax
        int rows;
    };
    for (const Case& c : {Case{0, 5}, Case{1, 1}, Case{3, 3}}) {
        Lab lab;
        lab.type("Text20", QStringLiteral("0.1"));
        tick(lab);
        int rows_at_stop = -1;
        lab.doubles.pause.during = [&](int pause_number) {
            if (pause_number == c.stop_at) {
                rows_at_stop = static_cast<int>(lines_of(file_bytes(results_path(lab))).size()) - 16;
                press(lab);
            }
        };
        press(lab);
        const std::vector<QByteArray> lines = lines_of(file_bytes(results_path(lab)));
        ASSERT_EQ(lines.size(), 16u + static_cast<std::size_t>(c.rows)) << "stop at " << c.stop_at;
        if (c.stop_at > 0) {
            EXPECT_EQ(rows_at_stop, c.rows) << "the row of a step is written before its pause";
        }
        EXPECT_TRUE(QString::fromLatin1(lines[16]).startsWith(system_separator(QStringLiteral("2.1708e-02    "))))
            << lines[16].toStdString();
        // The last row is the state the run ended in.
        const RunState& s = lab.form->lab().s;
        const QList<QByteArray> items = lines.back().simplified().split(' ');
        ASSERT_EQ(items.size(), 4) << lines.back().toStdString();
        const double expected[] = {s.t_f, s.fi_new / k_grad_rad, s.wz_new, s.W_poln};
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(value_of_shown(QString::fromLatin1(items[i])), expected[i], 1e-4 * std::fabs(expected[i]))
                << lines.back().toStdString();
        EXPECT_FALSE(lab.form->controls().Check_p->isChecked()) << "stop at " << c.stop_at;
        EXPECT_OPEN_HANDLES(results_path(lab), 0);
    }
}

TEST(Form1ResultsFile, ARunWithoutTheTickTouchesNoFile)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.05"));
    press(lab);
    EXPECT_FALSE(QFileInfo::exists(results_path(lab)));
    EXPECT_TRUE(QDir(lab.folder.path()).entryList(QDir::Files).isEmpty());
}

TEST(Form1ResultsFile, EachTickStartsANewFile)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.05"));
    tick(lab);
    press(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u + 3u);

    // Without a new tick the next run leaves the file alone.
    press(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u + 3u);

    tick(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u);
    press(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u + 3u);
    EXPECT_OPEN_HANDLES(results_path(lab), 0);
}

TEST(Form1ResultsFile, UntickingBeforeARunKeepsTheHeadOpen)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.05"));
    tick(lab);
    tick(lab);
    ASSERT_FALSE(lab.form->controls().Check_p->isChecked());
    press(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u);
    EXPECT_OPEN_HANDLES(results_path(lab), 1);

    // A new tick replaces the file of the old one.
    tick(lab);
    EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u);
    EXPECT_OPEN_HANDLES(results_path(lab), 1);
}

TEST(Form1ResultsFile, ClosingTheProgramKeepsWhatWasWritten)
{
    struct Case {
        int close_at; // the step in whose pause the user closes; 0: before any run
        bool sure;    // the answer to "Вы абсолютно уверены?"
        std::size_t steps;
        std::size_t lines;
    };
    const Case cases[] = {
        {0, true, 0, 16},
        {2, true, 2, 18},  // the run is abandoned at once
        {2, false, 5, 21}, // the run goes on to its end and closes the file
    };
    for (const Case& c : cases) {
        Lab lab;
        lab.type("Text20", QStringLiteral("0.1"));
        tick(lab);
        lab.doubles.boxes.answer_yes = c.sure;
        if (c.close_at == 0) {
            EXPECT_TRUE(lab.form->close());
        } else {
            lab.doubles.pause.during = [&](int pause_number) {
                if (pause_number == c.close_at)
                    lab.form->close();
            };
            press(lab);
        }
        EXPECT_EQ(lab.doubles.boxes.questions.size(), 1u);
        EXPECT_EQ(lab.doubles.pause.requested.size(), c.steps) << "close at " << c.close_at;
        EXPECT_EQ(lab.doubles.tone.lengths.size(), c.sure ? 0u : 1u) << "close at " << c.close_at;
        EXPECT_EQ(lab.doubles.quits, c.sure ? 1 : 0);
        EXPECT_EQ(lab.form->isVisible(), !c.sure);
        EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), c.lines) << "close at " << c.close_at;
        EXPECT_OPEN_HANDLES(results_path(lab), 0);
    }
}

TEST(Form1ResultsFile, ATickKeepsTheRowsOfTheRunBefore)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    const QString previous = lab.folder.filePath(QStringLiteral("vibrel_out.prev.txt"));
    tick(lab);
    press(lab);
    const QByteArray run = file_bytes(results_path(lab));
    ASSERT_EQ(lines_of(run).size(), 16u + 5u);
    // Ticked over a file with rows: the rows are kept beside the new file;
    // ticked over a head alone: the head is emptied, the rows stay kept.
    for (int ticks = 1; ticks <= 2; ++ticks) {
        if (lab.form->controls().Check_p->isChecked())
            tick(lab);
        tick(lab);
        EXPECT_EQ(lines_of(file_bytes(results_path(lab))).size(), 16u) << ticks;
        EXPECT_EQ(file_bytes(previous), run) << ticks;
    }
    press(lab);
    EXPECT_EQ(file_bytes(results_path(lab)), run);
    tick(lab);
    EXPECT_EQ(file_bytes(previous), run) << "the latest run replaces the one before";
    EXPECT_TRUE(lab.doubles.boxes.shown.empty());
}

TEST(Form1ResultsFile, RowsWhoseFileLostItsNameAreWrittenAgainElsewhere)
{
    // The rows of an undisturbed run of five steps.
    QByteArray undisturbed;
    {
        Lab lab;
        lab.type("Text20", QStringLiteral("0.1"));
        tick(lab);
        press(lab);
        undisturbed = file_bytes(results_path(lab));
        ASSERT_EQ(lines_of(undisturbed).size(), 16u + 5u);
    }
    struct Case {
        const char* what;
        int in_pause; // of this step
        std::function<void(QDir)> disturb;
        const char* rows_in; // the file that ends with the run's rows
        const char* notice;  // the end of the run's message
    };
    const auto remove = [](QDir folder) { EXPECT_TRUE(folder.remove(QStringLiteral("vibrel_out.txt"))); };
    const auto replace = [](QDir folder) {
        EXPECT_TRUE(folder.remove(QStringLiteral("vibrel_out.txt")));
        QFile f(folder.filePath(QStringLiteral("vibrel_out.txt")));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("notes\r\n");
    };
    const Case cases[] = {
        {"deleted", 2, remove, "vibrel_out.txt",
         "Файл результатов vibrel_out.txt во время расчёта удалён или заменён. Все строки расчёта записаны в файл "
         "vibrel_out.txt."},
        {"deleted in the last pause", 5, remove, "vibrel_out.txt", nullptr},
        {"renamed", 3,
         [](QDir folder) { EXPECT_TRUE(folder.rename(QStringLiteral("vibrel_out.txt"), QStringLiteral("mine.txt"))); },
         "vibrel_out.txt", nullptr},
        {"replaced", 2, replace, "vibrel_out.1.txt",
         "Файл результатов vibrel_out.txt во время расчёта удалён или заменён. Все строки расчёта записаны в файл "
         "vibrel_out.1.txt."},
        {"replaced twice", 1,
         [&](QDir folder) {
             replace(folder);
             QFile taken(folder.filePath(QStringLiteral("vibrel_out.1.txt")));
             EXPECT_TRUE(taken.open(QIODevice::WriteOnly));
         },
         "vibrel_out.2.txt", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lab lab;
        const QDir folder(lab.folder.path());
        lab.type("Text20", QStringLiteral("0.1"));
        tick(lab);
        lab.doubles.pause.during = [&](int step) {
            if (step == c.in_pause)
                c.disturb(folder);
        };
        press(lab);
        EXPECT_EQ(file_bytes(folder.filePath(QString::fromLatin1(c.rows_in))), undisturbed);
        ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
        EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Предупреждение"));
        if (c.notice) {
            EXPECT_EQ(lab.doubles.boxes.shown[0].text, QString::fromUtf8(c.notice));
        }
        EXPECT_FALSE(lab.form->controls().Check_p->isChecked());
        EXPECT_OPEN_HANDLES(folder.filePath(QString::fromLatin1(c.rows_in)), 0);
        if (std::string_view(c.what).substr(0, 8) == "replaced") {
            EXPECT_EQ(file_bytes(folder.filePath(QStringLiteral("vibrel_out.txt"))), QByteArray("notes\r\n"));
        }
    }

    // With the folder gone nothing can take the rows: the run says so at
    // once, and the rows stay in the kept run.
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    tick(lab);
    lab.doubles.pause.during = [&](int step) {
        if (step == 2) {
            EXPECT_TRUE(QDir(lab.folder.path()).removeRecursively());
        }
    };
    press(lab);
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(lab.doubles.boxes.shown[0].text,
              QStringLiteral("Файл результатов vibrel_out.txt во время расчёта удалён или заменён, а записать строки "
                             "расчёта в новый файл нельзя: нет такого файла. Расчёт остался в памяти: его можно "
                             "сохранить командой «Сохранить данные (CSV)…»."));
    EXPECT_FALSE(lab.form->controls().Check_p->isChecked());
    EXPECT_EQ(lab.form->lab().run_record.size(), 5u);
}

TEST(Form1ResultsFile, RowsTakeTheLocalesSeparatorTheHeadKeepsThePoint)
{
    LocaleForTest in(QLocale(QLocale::Russian, QLocale::Russia));
    Lab lab;
    lab.type("Text20", QStringLiteral("0.05"));
    tick(lab);
    press(lab);
    const std::vector<QByteArray> lines = lines_of(file_bytes(results_path(lab)));
    ASSERT_EQ(lines.size(), 16u + 3u);
    EXPECT_EQ(lines[1], QByteArray("m (\xEA\xE3) =      15.4990"));
    EXPECT_TRUE(lines[16].startsWith("2,1708e-02    ")) << lines[16].toStdString();
}

TEST(Form1ResultsFile, AFileThatCannotBeWrittenOrIsNotTheUsersOwnIsRefused)
{
    // Another student's thesis, in a folder of its own.
    QTemporaryDir elsewhere;
    const QString thesis = elsewhere.filePath(QStringLiteral("thesis.txt"));
    const QByteArray thesis_bytes("16 pages of a thesis\r\n");
    struct Case {
        const char* what;
        // Prepares the folder; returns the working directory to use, or an
        // empty text when the case cannot be made here.
        std::function<QString(const QTemporaryDir&)> prepare;
        const char* reason;
    };
    const auto link_to = [](const QString& target) {
        return [target](const QTemporaryDir& folder) {
            EXPECT_TRUE(QFile::link(target, folder.filePath(QStringLiteral("vibrel_out.txt"))));
            return folder.path();
        };
    };
    const auto foreign = [&thesis] {
        // Only the superuser can give a file away.
        return ::geteuid() == 0 && ::chown(QFile::encodeName(thesis).constData(), 65534, 65534) == 0;
    };
    const Case cases[] = {
        // A folder inside a regular file cannot exist, whoever runs the tests.
        {"no folder",
         [](const QTemporaryDir& folder) {
             QFile plain(folder.filePath(QStringLiteral("plain")));
             EXPECT_TRUE(plain.open(QIODevice::WriteOnly));
             return folder.filePath(QStringLiteral("plain/work"));
         },
         "часть пути — не папка"},
        {"a link to a device that takes no byte", link_to(QStringLiteral("/dev/full")), "это символическая ссылка"},
        {"a link to a file elsewhere", link_to(thesis), "это символическая ссылка"},
        {"a link that leads nowhere yet", link_to(elsewhere.filePath(QStringLiteral("new.txt"))),
         "это символическая ссылка"},
        {"a second name of a file elsewhere",
         [&thesis](const QTemporaryDir& folder) {
             EXPECT_TRUE(::link(QFile::encodeName(thesis).constData(),
                                QFile::encodeName(folder.filePath(QStringLiteral("vibrel_out.txt"))).constData()) == 0);
             return folder.path();
         },
         "у файла есть и другие имена (жёсткие ссылки)"},
        {"another user's file",
         [&](const QTemporaryDir& folder) {
             if (!foreign())
                 return QString();
             // Moved in, not linked: the file keeps one name and its owner.
             EXPECT_TRUE(QFile::rename(thesis, folder.filePath(QStringLiteral("vibrel_out.txt"))));
             return folder.path();
         },
         "файл принадлежит другому пользователю"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        {
            QFile::remove(thesis);
            QFile f(thesis);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(thesis_bytes);
        }
        QTemporaryDir folder;
        const QString working_directory = c.prepare(folder);
        if (working_directory.isEmpty())
            continue;
        Doubles doubles;
        Form1 form(doubles.services(working_directory));
        form.show();
        const QStringList files_prepared = QDir(folder.path()).entryList(QDir::Files | QDir::System);
        const Controls& controls = form.controls();

        controls.Check_p->click();
        ASSERT_EQ(doubles.boxes.shown.size(), 1u);
        EXPECT_EQ(doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
        EXPECT_EQ(doubles.boxes.shown[0].text,
                  QStringLiteral("Файл результатов vibrel_out.txt записать нельзя: ") + QString::fromUtf8(c.reason));
        EXPECT_EQ(doubles.tone.lengths, std::vector<int>{300});
        EXPECT_FALSE(controls.Check_p->isChecked());
        EXPECT_OPEN_HANDLES(QStringLiteral("/dev/full"), 0);

        // The laboratory goes on: a run works and writes nothing.
        controls.boxes[12]->setText(QStringLiteral("0.05"));
        controls.CmdOK->click();
        EXPECT_EQ(doubles.pause.requested.size(), 3u);
        EXPECT_EQ(doubles.boxes.shown.size(), 1u);
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::System), files_prepared);
        const QString kept = QFileInfo::exists(thesis) ? thesis : folder.filePath(QStringLiteral("vibrel_out.txt"));
        EXPECT_EQ(file_bytes(kept), thesis_bytes);
        EXPECT_FALSE(QFileInfo::exists(elsewhere.filePath(QStringLiteral("new.txt")))) << "nothing made through a link";
        doubles.boxes.answer_yes = true;
    }
}

#ifdef __linux__
TEST(Form1ResultsFile, ARowThatCannotBeWrittenIsReportedAndTheRunGoesOn)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    tick(lab);
    press(lab);
    const QByteArray full_run = file_bytes(results_path(lab));
    ASSERT_EQ(lines_of(full_run).size(), 16u + 5u);
    // The same run again, with room for the head, two rows and part of the
    // third, as on a disk that fills up in the middle of a row.
    qsizetype room = 0;
    for (int line = 0; line < 18; ++line)
        room = full_run.indexOf("\r\n", room) + 2;
    lab.doubles.tone.lengths.clear();
    tick(lab);
    {
        FileSizeLimit limit(static_cast<rlim_t>(room + 20));
        press(lab);
    }
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(lab.doubles.boxes.shown[0].text,
              QStringLiteral("Запись в файл результатов vibrel_out.txt прервана: файл стал слишком большим"));
    EXPECT_EQ(lab.doubles.tone.lengths, (std::vector<int>{300, 600}));
    EXPECT_EQ(lab.doubles.pause.requested.size(), 10u) << "both runs went to Tmax";
    EXPECT_EQ(file_bytes(results_path(lab)), full_run.left(room));
    EXPECT_FALSE(lab.form->controls().Check_p->isChecked());
    EXPECT_OPEN_HANDLES(results_path(lab), 0);
}
#endif

} // namespace
} // namespace vp::testing
