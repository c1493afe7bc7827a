// SPDX-License-Identifier: GPL-3.0-or-later
// The menus of the main window: documents, information boxes, the authors
// window and the way out.
#include "shell/about_texts.h"
#include "shell/form1.h"
#include "shell/form2.h"
#include "shell/menu_icons.h"

#include "platform/documents.h"
#include "platform/message_boxes.h"

#include <QAction>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QWindow>

namespace vp {

void Form1::build_menus()
{
    auto item = [this](QMenu* menu, const char* name, const QString& caption, MenuIcon icon, auto handler) {
        QAction* action = menu->addAction(menu_icon(icon), caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setIconVisibleInMenu(true);
        connect(action, &QAction::triggered, this, handler);
        return action;
    };
    auto separator = [](QMenu* menu, const char* name) {
        menu->addSeparator()->setObjectName(QString::fromLatin1(name));
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&Файл"));
    file->setObjectName(QStringLiteral("mnuFile"));
    item(file, "mnuFilespravka", QStringLiteral("Справка"), MenuIcon::reference, [this] {
        open_document("spravka.pdf");
    })->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_S), QKeySequence(Qt::Key_F1)});
    item(file, "mnuFilespravka2", QStringLiteral("Таблица"), MenuIcon::table, [this] { open_document("tabl.pdf"); });
    separator(file, "mnuHelpSep1");
    item(file, "mnuFilesHistory", QStringLiteral("Стокс"), MenuIcon::stokes, [this] { open_document("stokes.pdf"); });
    separator(file, "mnuHelpSep2");
    item(file, "mnuFileExit", QStringLiteral("Выход"), MenuIcon::exit, &Form1::mnuFileExit_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Помощь"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    item(help, "mnuHelpInstruction", QStringLiteral("Инструкция"), MenuIcon::instruction,
         &Form1::mnuHelpInstruction_Click);
    item(help, "mnuHelpUprav", QStringLiteral("Управление"), MenuIcon::controls,
         [this] { open_document("uprav.pdf"); });
    separator(help, "mnuHelpSep3");
    item(help, "mnuHelpAvtors", QStringLiteral("Авторы"), MenuIcon::authors, &Form1::mnuHelpAvtors_Click);
    item(help, "mnuHelpAbout", QStringLiteral("О программе"), MenuIcon::about, &Form1::mnuHelpAbout_Click);
    item(help, "mnuHelpAbout2", QStringLiteral("Регистрация"), MenuIcon::registration, &Form1::mnuHelpAbout2_Click);

    // The heading's click from the keyboard.
    auto* load = new QAction(QStringLiteral("Загрузить параметры из файла"), controls_.Label10);
    load->setObjectName(QStringLiteral("actLoadParameters"));
    load->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    controls_.Label10->addAction(load);
    connect(load, &QAction::triggered, this, &Form1::Label10_Click);
}

namespace {

// A document that is not in the working directory is passed over without a
// word; whatever opens it gets a full path, whichever folder it starts in.
QString present_document(const QString& path)
{
    const QFileInfo file(path);
    return file.isFile() ? file.absoluteFilePath() : QString();
}

} // namespace

void Form1::open_document(const char* file_name)
{
    const QString path = present_document(in_working_directory(QString::fromLatin1(file_name)));
    if (!path.isEmpty())
        services_.documents->open_document(path);
}

void Form1::mnuHelpInstruction_Click()
{
    const QString path = present_document(in_working_directory(QStringLiteral("instruction.txt")));
    if (!path.isEmpty())
        services_.documents->open_text(path);
}

void Form1::mnuHelpAvtors_Click()
{
    if (!form2_)
        form2_ = new Form2();
    form2_->set_text(about_texts::authors());
    // Centred over the main window by the outer frames, wherever it stands
    // now. Before the authors window is first shown the desktop has not
    // framed it yet; its frame will be like the main window's.
    const QRect outer = frameGeometry();
    const QSize own =
        form2_->windowHandle() ? form2_->frameGeometry().size() : form2_->size() + (outer.size() - size());
    form2_->move(outer.left() + (outer.width() - own.width()) / 2, outer.top() + (outer.height() - own.height()) / 2);
    form2_->show();
    form2_->raise();
    form2_->activateWindow();
}

void Form1::mnuHelpAbout_Click()
{
    services_.boxes->show_message(QStringLiteral("О ПРОГРАММЕ"), about_texts::about_program());
}

void Form1::mnuHelpAbout2_Click()
{
    services_.boxes->show_message(QStringLiteral("РЕГИСТРАЦИЯ"), about_texts::registration());
}

} // namespace vp
