// SPDX-License-Identifier: GPL-3.0-or-later
// The results file as the window writes it: the head when Check_p is
// ticked, the rows of a run, and what happens to the file when the run ends,
// the program closes or the folder cannot take it.
#include "form1_test_support.h"

#include "model/constants.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QPushButton>

#include <gtest/gtest.h>

#ifdef __linux__
#include <sys/resource.h>
#endif

#include <cmath>
#include <csignal>
#include <functional>
#include <string_view>
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

TEST(Form1ResultsFile, AFileThatCannotBeWrittenIsReported)
{
    struct Case {
        const char* what;
        // Prepares the folder; returns the working directory to use.
        std::function<QString(const QTemporaryDir&)> prepare;
    };
    const Case cases[] = {
        // A folder inside a regular file cannot exist, whoever runs the tests.
        {"no folder",
         [](const QTemporaryDir& folder) {
             QFile plain(folder.filePath(QStringLiteral("plain")));
             EXPECT_TRUE(plain.open(QIODevice::WriteOnly));
             return folder.filePath(QStringLiteral("plain/work"));
         }},
        // Opens, but takes no byte.
        {"a full device",
         [](const QTemporaryDir& folder) {
             EXPECT_TRUE(QFile::link(QStringLiteral("/dev/full"), folder.filePath(QStringLiteral("vibrel_out.txt"))));
             return folder.path();
         }},
    };
    for (const Case& c : cases) {
        if (std::string_view(c.what) == "a full device" && !QFileInfo::exists(QStringLiteral("/dev/full")))
            continue;
        QTemporaryDir folder;
        Doubles doubles;
        Form1 form(doubles.services(c.prepare(folder)));
        form.show();
        const QStringList files_prepared = QDir(folder.path()).entryList(QDir::Files | QDir::System);
        const Controls& controls = form.controls();

        controls.Check_p->click();
        ASSERT_EQ(doubles.boxes.shown.size(), 1u) << c.what;
        EXPECT_EQ(doubles.boxes.shown[0].title, QStringLiteral("Ошибка")) << c.what;
        EXPECT_TRUE(doubles.boxes.shown[0].text.contains(QStringLiteral("vibrel_out.txt")))
            << doubles.boxes.shown[0].text.toStdString();
        EXPECT_EQ(doubles.tone.lengths, std::vector<int>{300}) << c.what;
        EXPECT_FALSE(controls.Check_p->isChecked()) << c.what;
        EXPECT_OPEN_HANDLES(QStringLiteral("/dev/full"), 0);

        // The laboratory goes on: a run works and writes nothing.
        controls.boxes[12]->setText(QStringLiteral("0.05"));
        controls.CmdOK->click();
        EXPECT_EQ(doubles.pause.requested.size(), 3u) << c.what;
        EXPECT_EQ(doubles.boxes.shown.size(), 1u) << c.what;
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::System), files_prepared) << c.what;
        doubles.boxes.answer_yes = true;
    }
}

#ifdef __linux__
// Lets the files of this process grow to a given size only, for the life of
// the object; a write beyond it fails instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        previous_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previous_handler_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previous_handler_)(int) = nullptr;
};

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
