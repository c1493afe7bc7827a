// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTranslator>

class QCoreApplication;

namespace vp {

// Qt's own texts (the Yes and No of a question, the context menu of a text
// box) in Russian, whatever the user's locale: the laboratory speaks only
// Russian. Keeps the translation loaded for the life of the object; false
// when the translation is not installed (the texts then stay English).
class RussianQtTexts {
public:
    bool install(QCoreApplication& application);

private:
    QTranslator translator_;
};

} // namespace vp
