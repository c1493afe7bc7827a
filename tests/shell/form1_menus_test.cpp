// SPDX-License-Identifier: GPL-3.0-or-later
// The menus: their tree as the user reads it, the documents they open from
// the working directory, the information boxes and the way out.
#include "form1_test_support.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <vector>

namespace vp::testing {
namespace {

QAction* item(const Lab& lab, const char* name)
{
    return lab.form->findChild<QAction*>(QString::fromLatin1(name));
}

void put_file(const QString& folder, const char* name)
{
    QFile file(QDir(folder).filePath(QString::fromLatin1(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("%PDF-1.4\n");
}

TEST(Form1Menus, EveryItemHasAPictureAndAShortcutOfItsOwn)
{
    Lab lab;
    QStringList names;
    std::vector<QImage> pictures;
    for (const QAction* in_bar : lab.form->menuBar()->actions()) {
        const QMenu* menu = in_bar->menu();
        ASSERT_NE(menu, nullptr) << in_bar->text().toStdString();
        names << menu->objectName();
        for (const QAction* action : menu->actions()) {
            SCOPED_TRACE(action->objectName().toStdString());
            names << action->objectName();
            if (action->isSeparator()) {
                EXPECT_TRUE(action->icon().isNull());
                continue;
            }
            EXPECT_FALSE(action->text().isEmpty());
            EXPECT_TRUE(action->isEnabled());
            EXPECT_TRUE(action->isIconVisibleInMenu());
            ASSERT_FALSE(action->icon().isNull());
            pictures.push_back(action->icon().pixmap(32, 32).toImage());
        }
    }
    for (const QString& name : names)
        EXPECT_TRUE(name.startsWith(QLatin1String("mnu"))) << name.toStdString();
    EXPECT_EQ(names.removeDuplicates(), 0) << "every menu and item has a name of its own";
    for (std::size_t i = 0; i < pictures.size(); ++i)
        for (std::size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(pictures[i], pictures[j]) << "items " << i << " and " << j << " share a picture";

    // A shortcut that two actions of the window share is ambiguous, and Qt
    // then triggers neither. The pictures' keys act on the picture that has
    // the focus: each picture has them once, and none is the window's.
    QStringList window_keys;
    QSet<QString> picture_keys;
    for (const QAction* action : lab.form->findChildren<QAction*>()) {
        for (const QKeySequence& keys : action->shortcuts()) {
            if (action->shortcutContext() != Qt::WidgetShortcut)
                window_keys << keys.toString();
            else
                picture_keys << keys.toString();
        }
    }
    EXPECT_EQ(window_keys.removeDuplicates(), 0) << window_keys.join(QLatin1Char(' ')).toStdString();
    for (const QString& keys : picture_keys)
        EXPECT_FALSE(window_keys.contains(keys)) << keys.toStdString();
    for (const QWidget* picture : {lab.widget("Picture2"), lab.widget("Picture3"), lab.widget("Picture14")}) {
        QStringList own;
        for (const QAction* action : picture->actions())
            own << action->shortcut().toString();
        EXPECT_EQ(own.size(), 4);
        EXPECT_EQ(own.removeDuplicates(), 0);
    }
    EXPECT_EQ(item(lab, "mnuFilespravka")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_F1)}));
    EXPECT_TRUE(window_keys.contains(QKeySequence(Qt::CTRL | Qt::Key_O).toString())) << "the parameter file";
}

struct DocumentRow {
    const char* item;
    const char* file;
    bool text; // the plain-text editor rather than the document's application
};

const DocumentRow documents[] = {
    {"mnuFilespravka", "spravka.pdf", false},        {"mnuFilespravka2", "tabl.pdf", false},
    {"mnuFilesHistory", "stokes.pdf", false},        {"mnuHelpUprav", "uprav.pdf", false},
    {"mnuHelpInstruction", "instruction.txt", true},
};

TEST(Form1Menus, DocumentsComeFromTheWorkingDirectory)
{
    for (const DocumentRow& row : documents) {
        SCOPED_TRACE(row.item);
        Lab lab;
        QAction* action = item(lab, row.item);
        ASSERT_NE(action, nullptr);
        const QString before = lab.text("Text1");

        // Absent: nothing happens, and nothing is said about it.
        action->trigger();
        EXPECT_TRUE(lab.doubles.documents.documents.isEmpty());
        EXPECT_TRUE(lab.doubles.documents.texts.isEmpty());
        EXPECT_TRUE(lab.doubles.boxes.shown.empty());
        EXPECT_TRUE(lab.doubles.tone.lengths.empty());

        put_file(lab.folder.path(), row.file);
        action->trigger();
        const QString expected = QDir(lab.folder.path()).absoluteFilePath(QString::fromLatin1(row.file));
        EXPECT_EQ(row.text ? lab.doubles.documents.texts : lab.doubles.documents.documents, QStringList{expected});
        EXPECT_TRUE((row.text ? lab.doubles.documents.documents : lab.doubles.documents.texts).isEmpty());
        EXPECT_TRUE(lab.doubles.boxes.shown.empty());
        EXPECT_EQ(lab.text("Text1"), before);
        EXPECT_TRUE(lab.form->isVisible());
    }
}

TEST(Form1Menus, RelativeWorkingDirectoryStillGivesFullPaths)
{
    // The program may be started with "." as its folder; the application
    // that opens the document starts elsewhere.
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    {
        Doubles doubles;
        Form1 form(doubles.services(QStringLiteral(".")));
        for (const DocumentRow& row : documents) {
            put_file(folder.path(), row.file);
            QAction* action = form.findChild<QAction*>(QString::fromLatin1(row.item));
            ASSERT_NE(action, nullptr);
            action->trigger();
        }
        const QStringList opened = doubles.documents.documents + doubles.documents.texts;
        EXPECT_EQ(opened.size(), static_cast<qsizetype>(std::size(documents)));
        for (const QString& path : opened) {
            EXPECT_TRUE(QDir::isAbsolutePath(path)) << path.toStdString();
            EXPECT_EQ(QFileInfo(path).canonicalPath(), QFileInfo(folder.path()).canonicalFilePath());
        }
        doubles.boxes.answer_yes = true;
    }
    QDir::setCurrent(previous);
}

TEST(Form1Menus, InformationBoxes)
{
    const std::pair<const char*, const char*> boxes[] = {
        {"mnuHelpAbout", "О ПРОГРАММЕ"},
        {"mnuHelpAbout2", "РЕГИСТРАЦИЯ"},
    };
    for (const auto& [name, title] : boxes) {
        SCOPED_TRACE(name);
        Lab lab;
        QAction* action = item(lab, name);
        ASSERT_NE(action, nullptr);
        action->trigger();
        ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
        EXPECT_EQ(lab.doubles.boxes.shown[0].title, QString::fromUtf8(title));
        EXPECT_FALSE(lab.doubles.boxes.shown[0].text.trimmed().isEmpty());
        EXPECT_TRUE(lab.doubles.boxes.questions.empty());
        EXPECT_TRUE(lab.doubles.tone.lengths.empty()) << "information, not an error: no tone";
    }
}

TEST(Form1Menus, AboutTheProgramTellsTheSystemThenTheVersionHistory)
{
    Lab lab;
    item(lab, "mnuHelpAbout")->trigger();
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    const QString text = lab.doubles.boxes.shown[0].text;
    EXPECT_FALSE(text.endsWith(QLatin1Char('\n')));
    const QStringList lines = text.split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 9);
    for (int i = 0; i < 5; ++i)
        EXPECT_FALSE(lines[i].trimmed().isEmpty()) << i;
    EXPECT_EQ(lines[5], QStringLiteral(" "));
    EXPECT_EQ(lines[6], QStringLiteral("История версий:"));
    // Two lines per version: the number, platform, date and authors; then
    // what the version brought.
    const QStringList history = lines.mid(7);
    ASSERT_EQ(history.size() % 2, 0) << text.toStdString();
    for (int i = 0; i < history.size(); i += 2) {
        EXPECT_TRUE(history[i].contains(QRegularExpression(QStringLiteral("\\b\\d+\\.\\d+\\.\\d+\\b"))))
            << history[i].toStdString();
        EXPECT_TRUE(history[i].contains(QRegularExpression(QStringLiteral("\\b\\d\\d\\.\\d\\d\\.20\\d\\d\\b"))))
            << history[i].toStdString();
        EXPECT_FALSE(history[i + 1].trimmed().isEmpty());
    }
}

TEST(Form1Menus, ExitAsksFirst)
{
    Lab lab;
    lab.doubles.boxes.answer_yes = false;
    item(lab, "mnuFileExit")->trigger();
    ASSERT_EQ(lab.doubles.boxes.questions.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.questions[0].title, QStringLiteral("На Выход"));
    EXPECT_EQ(lab.doubles.boxes.questions[0].text, QStringLiteral("Вы абсолютно уверены?"));
    EXPECT_TRUE(lab.form->isVisible());
    EXPECT_EQ(lab.doubles.quits, 0);
}

} // namespace
} // namespace vp::testing
