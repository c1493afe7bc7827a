// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt_texts.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>

namespace vp {

bool RussianQtTexts::install(QCoreApplication& application)
{
    if (!translator_.load(QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return application.installTranslator(&translator_);
}

} // namespace vp
