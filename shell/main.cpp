// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_texts.h"
#include "platform/text_files.h"
#include "shell/form1.h"
#include "shell/program_facilities.h"

#include <QApplication>
#include <QDir>
#include <QHashSeed>
#include <QIcon>
#include <QMessageLogContext>
#include <QString>
#include <QTimer>

namespace {

// Qt's own notices that tell a user nothing: Qt Multimedia's on a machine
// without a sound server (the tone is then silent, which is all there is to
// it), and the runtime folder's outside a desktop session. Everything else
// goes on to Qt's usual output.
QtMessageHandler qt_output = nullptr;

void quiet_qt_notices(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const QLatin1String category(context.category != nullptr ? context.category : "");
    if (message.startsWith(QLatin1String("PulseAudioService:")) ||
        category.startsWith(QLatin1String("qt.multimedia.pulseaudio")) ||
        message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    qt_output(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    qt_output = qInstallMessageHandler(quiet_qt_notices);
    // The PDF writer keeps a report's fonts in a hash and writes them in its
    // order: with the seed drawn anew in every session, the same report
    // would come out in other bytes each time.
    QHashSeed::setDeterministicGlobalSeed();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("viscous-pendulum"));
    QApplication::setApplicationVersion(QStringLiteral(VP_VERSION));
    // Every window of the program carries the icon, and the desktop matches
    // the windows to the desktop entry of this name (the Wayland app id).
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/viscous-pendulum.svg")));
    QApplication::setDesktopFileName(QStringLiteral(VP_APP_ID));
    // Every way out goes through the window's confirmation.
    QApplication::setQuitOnLastWindowClosed(false);
    vp::RussianQtTexts qt_texts;
    qt_texts.install(app);

    vp::ProgramFacilities facilities;
    vp::Form1 form(vp::services_of(facilities, QDir::currentPath(), [] { QCoreApplication::exit(0); }));
    facilities.set_parent(&form);
    form.show();
    // The launcher could not use the folder asked for, or any folder of the
    // user's own: said in the window, since from the desktop's menu nobody
    // sees standard error.
    const QString unusable = qEnvironmentVariable("VISCOUS_PENDULUM_UNUSABLE_DIR");
    if (!unusable.isEmpty()) {
        QTimer::singleShot(0, &form, [&facilities, unusable] {
            QString reason = vp::folder_unusable_reason(unusable);
            if (reason.isEmpty())
                reason = QStringLiteral("её не удалось открыть для записи");
            facilities.boxes.show_message(
                QStringLiteral("Ошибка"),
                QStringLiteral("Рабочую папку %1 использовать нельзя: %2. Программа работает в папке %3: "
                               "здесь она ищет vibrel_in.txt и пишет vibrel_out.txt.")
                    .arg(QDir::toNativeSeparators(unusable), reason, QDir::toNativeSeparators(QDir::currentPath())));
        });
    }
    return app.exec();
}
