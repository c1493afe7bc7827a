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

#include <gtest/gtest.h>

#include <string_view>
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

struct MenuRow {
    const char* menu;
    const char* name;
    const char* caption; // nullptr: a separator
    bool shortcut;       // Ctrl+S
};

TEST(Form1Menus, TheWholeTree)
{
    Lab lab;
    const std::pair<const char*, const char*> menus[] = {{"mnuFile", "&Файл"}, {"mnuHelp", "&Помощь"}};
    const MenuRow rows[] = {
        {"mnuFile", "mnuFilespravka", "Справка", true},
        {"mnuFile", "mnuFilespravka2", "Таблица", false},
        {"mnuFile", "mnuHelpSep1", nullptr, false},
        {"mnuFile", "mnuFilesHistory", "Стокс", false},
        {"mnuFile", "mnuHelpSep2", nullptr, false},
        {"mnuFile", "mnuFileExit", "Выход", false},
        {"mnuHelp", "mnuHelpInstruction", "Инструкция", false},
        {"mnuHelp", "mnuHelpUprav", "Управление", false},
        {"mnuHelp", "mnuHelpSep3", nullptr, false},
        {"mnuHelp", "mnuHelpAvtors", "Авторы", false},
        {"mnuHelp", "mnuHelpAbout", "О программе", false},
        {"mnuHelp", "mnuHelpAbout2", "Регистрация", false},
    };

    const QList<QAction*> bar = lab.form->menuBar()->actions();
    ASSERT_EQ(bar.size(), static_cast<qsizetype>(std::size(menus)));
    std::vector<QIcon> icons;
    for (std::size_t m = 0; m < std::size(menus); ++m) {
        const auto& [menu_name, title] = menus[m];
        QMenu* menu = bar[static_cast<qsizetype>(m)]->menu();
        ASSERT_NE(menu, nullptr) << menu_name;
        EXPECT_EQ(menu->objectName(), QString::fromLatin1(menu_name));
        EXPECT_EQ(menu->title(), QString::fromUtf8(title)) << menu_name;

        // Positions count the separators, as the icons' places do.
        std::vector<const MenuRow*> expected;
        for (const MenuRow& row : rows)
            if (std::string_view(row.menu) == menu_name)
                expected.push_back(&row);
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<qsizetype>(expected.size())) << menu_name;
        for (std::size_t position = 0; position < expected.size(); ++position) {
            const MenuRow& row = *expected[position];
            const QAction* action = actions[static_cast<qsizetype>(position)];
            SCOPED_TRACE(::testing::Message() << menu_name << " position " << position << " " << row.name);
            EXPECT_EQ(action->objectName(), QString::fromLatin1(row.name));
            EXPECT_EQ(action->isSeparator(), row.caption == nullptr);
            EXPECT_EQ(action->shortcut(), row.shortcut ? QKeySequence(Qt::CTRL | Qt::Key_S) : QKeySequence());
            if (row.caption == nullptr) {
                EXPECT_TRUE(action->icon().isNull());
                continue;
            }
            EXPECT_EQ(action->text(), QString::fromUtf8(row.caption));
            EXPECT_TRUE(action->isEnabled());
            EXPECT_FALSE(action->icon().isNull());
            EXPECT_TRUE(action->isIconVisibleInMenu());
            icons.push_back(action->icon());
        }
    }

    // A picture of its own for every item.
    for (std::size_t i = 0; i < icons.size(); ++i)
        for (std::size_t j = i + 1; j < icons.size(); ++j)
            EXPECT_NE(icons[i].pixmap(32, 32).toImage(), icons[j].pixmap(32, 32).toImage()) << i << " and " << j;

    // A second Ctrl+S anywhere in the window would make the shortcut
    // ambiguous, and Qt then triggers neither.
    int ctrl_s = 0;
    for (const QAction* action : lab.form->findChildren<QAction*>())
        ctrl_s += action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_S) ? 1 : 0;
    EXPECT_EQ(ctrl_s, 1);
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
