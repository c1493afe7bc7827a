// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/pause.h"
#include "platform/qt_texts.h"
#include "platform/text_files.h"
#include "platform/tone.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace vp {
namespace {

QByteArray file_bytes(const QString& path)
{
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
}

TEST(Cp1251Writer, WritesTheCodePageWithCrLf)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    Cp1251Writer w;
    ASSERT_TRUE(w.open(path));
    EXPECT_TRUE(w.write_line("W, Дж"));
    EXPECT_TRUE(w.write_line("ro(кг/м3)= °·"));
    EXPECT_TRUE(w.write_line("★"));
    // Flushed as written: the bytes are there before the file is closed.
    EXPECT_EQ(file_bytes(path), QByteArray("W, \xC4\xE6\r\nro(\xEA\xE3/\xEC"
                                           "3)= \xB0\xB7\r\n?\r\n"));
    w.close();
    EXPECT_FALSE(w.is_open());
    EXPECT_FALSE(w.write_line("after close"));
}

TEST(Cp1251Writer, ReopeningEmptiesTheFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    Cp1251Writer w;
    ASSERT_TRUE(w.open(path));
    w.write_line("first");
    ASSERT_TRUE(w.open(path));
    w.write_line("second");
    w.close();
    EXPECT_EQ(file_bytes(path), QByteArray("second\r\n"));
}

TEST(RegularFiles, OnlyRegularFilesAreOpened)
{
    // A FIFO would hold the program until someone wrote or read it, a device
    // could never end; both, and a folder, are refused at once with a reason.
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("folder")));
    const QString fifo = dir.filePath(QStringLiteral("fifo"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    struct Case {
        QString path;
        QString reason;
    };
    const Case cases[] = {
        {dir.filePath(QStringLiteral("folder")), QStringLiteral("это папка, а не файл")},
        {fifo, QStringLiteral("это не обычный файл")},
        {QStringLiteral("/dev/zero"), QStringLiteral("это не обычный файл")},
    };
    for (const Case& c : cases) {
        RegularFileReader reader;
        EXPECT_FALSE(reader.open(c.path)) << c.path.toStdString();
        EXPECT_EQ(reader.reason(), c.reason) << c.path.toStdString();
        EXPECT_FALSE(reader.missing());
        Cp1251Writer writer;
        EXPECT_FALSE(writer.open(c.path)) << c.path.toStdString();
        EXPECT_EQ(writer.error(), c.reason) << c.path.toStdString();
    }
    // A link that leads to itself: the reader follows links, the writer none.
    const QString loop = dir.filePath(QStringLiteral("loop"));
    ASSERT_TRUE(QFile::link(loop, loop));
    RegularFileReader looped;
    EXPECT_FALSE(looped.open(loop));
    EXPECT_EQ(looped.reason(), QStringLiteral("слишком много символических ссылок"));
    Cp1251Writer looped_writer;
    EXPECT_FALSE(looped_writer.open(loop));
    EXPECT_EQ(looped_writer.error(), QStringLiteral("это символическая ссылка"));
    RegularFileReader missing;
    EXPECT_FALSE(missing.open(dir.filePath(QStringLiteral("vibrel_in.txt"))));
    EXPECT_TRUE(missing.missing());
    EXPECT_EQ(missing.reason(), QStringLiteral("нет такого файла"));
    EXPECT_EQ(failure_reason(ENOSPC), QStringLiteral("диск заполнен"));
    EXPECT_EQ(failure_reason(EACCES), QStringLiteral("нет прав доступа"));
    EXPECT_EQ(failure_reason(EROFS), QStringLiteral("файловая система только для чтения"));
}

TEST(RegularFiles, AFolderThatCannotBeUsedSaysWhy)
{
    QTemporaryDir dir;
    QFile plain(dir.filePath(QStringLiteral("plain")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    const std::pair<QString, QString> cases[] = {
        {dir.path(), QString()},
        {dir.filePath(QStringLiteral("new/deeper")), QString()},
        {plain.fileName(), QStringLiteral("это файл, а не папка")},
        {dir.filePath(QStringLiteral("plain/lab")), QStringLiteral("часть пути — не папка")},
    };
    for (const auto& [folder, reason] : cases)
        EXPECT_EQ(folder_unusable_reason(folder), reason) << folder.toStdString();
}

TEST(RegularFiles, ReadInPieces)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("in.txt")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("a,b\r\nc");
    f.close();
    RegularFileReader reader;
    ASSERT_TRUE(reader.open(f.fileName()));
    char piece[4];
    QByteArray all;
    for (std::size_t n = reader.read(piece, sizeof piece); n > 0; n = reader.read(piece, sizeof piece))
        all.append(piece, static_cast<qsizetype>(n));
    EXPECT_EQ(all, QByteArray("a,b\r\nc"));
    EXPECT_TRUE(reader.reason().isEmpty());
}

TEST(Cp1251Writer, ALineIsWrittenWholeOrNotAtAll)
{
    // The file may grow to 20 bytes here, as if the disk filled up: the
    // second line breaks off after 8 of its 12 bytes and is taken back.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.txt"));
    Cp1251Writer w;
    ASSERT_TRUE(w.open(path));
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit previous {};
    ::getrlimit(RLIMIT_FSIZE, &previous);
    struct rlimit small = previous;
    small.rlim_cur = 20;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool first = w.write_line("0123456789");
    const bool second = w.write_line("abcdefghij");
    ::setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_TRUE(first);
    EXPECT_FALSE(second);
    EXPECT_EQ(w.error(), QStringLiteral("файл стал слишком большим"));
    EXPECT_FALSE(w.is_open());
    EXPECT_EQ(file_bytes(path), QByteArray("0123456789\r\n"));
}

// A clock that has moved on by a stride at each reading, as time passes
// while events run. The stride, 1/128 s, keeps the sums exact.
class StridingClock final : public Clock {
public:
    static constexpr double stride = 1.0 / 128;
    double seconds() const override { return now += stride; }
    QDate today() const override { return {}; }
    mutable double now = 100;
};

TEST(EventLoopPause, EventsFlowUntilTheClockHasMovedOnByThePause)
{
    StridingClock clock;
    EventLoopPause pause(clock);
    bool handled = false;
    QTimer::singleShot(0, [&] { handled = true; });
    pause.wait(0);
    EXPECT_FALSE(handled) << "a zero pause returns at once";
    EXPECT_EQ(clock.now, 100) << "and does not ask the time";
    const double start = clock.now;
    pause.wait(15);
    EXPECT_TRUE(handled);
    // Started at the first reading, ended at the first one 15 ms after it:
    // the third.
    EXPECT_EQ(clock.now - start, 3 * StridingClock::stride);
}

TEST(AudioTone, TakesItsTimeByTheClockWithOrWithoutADevice)
{
    StridingClock clock;
    AudioTone tone(clock);
    const double start = clock.now;
    tone.play(880, 40);
    // Ends at the first reading 40 ms after its start, or later when the
    // output took longer.
    EXPECT_GE(clock.now - start, StridingClock::stride + 0.04);
    const double after = clock.now;
    tone.play(880, 0);
    EXPECT_EQ(clock.now, after) << "no tone, no time";
}

// Stands in for the desktop's launcher of local files.
class FileUrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened << url; }
};

TEST(DesktopDocuments, PresentDocumentsGoToTheDesktopMissingOnesAreSkipped)
{
    QTemporaryDir dir;
    const QString present = dir.filePath(QStringLiteral("spravka.pdf"));
    QFile(present).open(QIODevice::WriteOnly);
    FileUrlCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &catcher, "open");
    DesktopDocuments documents;
    documents.open_document(dir.filePath(QStringLiteral("tabl.pdf")));
    documents.open_text(dir.filePath(QStringLiteral("instruction.txt")));
    documents.open_document(present);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    EXPECT_EQ(catcher.opened, QList<QUrl>{QUrl::fromLocalFile(present)});
}

TEST(RussianQtTexts, QtsOwnButtonsAndMenusSpeakRussian)
{
    RussianQtTexts texts;
    ASSERT_TRUE(texts.install(*QCoreApplication::instance())) << "qt6-translations-l10n is not installed";
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("На Выход"), QStringLiteral("Вы абсолютно уверены?"),
                    QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(box.button(QMessageBox::Yes)->text().remove(QLatin1Char('&')), QStringLiteral("Да"));
    EXPECT_EQ(box.button(QMessageBox::No)->text().remove(QLatin1Char('&')), QStringLiteral("Нет"));

    QLineEdit edit;
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator())
            items << action->text().remove(QLatin1Char('&')).section(QLatin1Char('\t'), 0, 0);
    }
    EXPECT_EQ(items, QStringList({QStringLiteral("Отменить действие"), QStringLiteral("Повторить действие"),
                                  QStringLiteral("Вырезать"), QStringLiteral("Копировать"), QStringLiteral("Вставить"),
                                  QStringLiteral("Удалить"), QStringLiteral("Выделить всё")}))
        << items.join(QStringLiteral(" | ")).toStdString();
}

} // namespace
} // namespace vp

#include "services_test.moc"
