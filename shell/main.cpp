// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/qt_texts.h"
#include "platform/tone.h"
#include "shell/form1.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("viscous-pendulum"));
    QApplication::setApplicationVersion(QStringLiteral(VP_VERSION));
    // Every way out goes through the window's confirmation.
    QApplication::setQuitOnLastWindowClosed(false);
    vp::RussianQtTexts qt_texts;
    qt_texts.install(app);

    vp::QtMessageBoxes boxes;
    vp::AudioTone tone;
    vp::EventLoopPause pause;
    vp::SteadyClock clock;
    vp::DesktopDocuments documents;

    vp::Services services;
    services.boxes = &boxes;
    services.tone = &tone;
    services.pause = &pause;
    services.clock = &clock;
    services.documents = &documents;
    services.working_directory = QDir::currentPath();
    services.quit = [] { QCoreApplication::exit(0); };

    vp::Form1 form(services);
    boxes.set_parent(&form);
    form.show();
    return app.exec();
}
