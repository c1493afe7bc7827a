// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "doubles.h"
#include "shell/form1.h"

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>

#include <memory>

namespace vp::testing {

// Sets the default locale for one test and puts the previous one back.
class LocaleForTest {
public:
    explicit LocaleForTest(const QLocale& locale) { QLocale::setDefault(locale); }
    ~LocaleForTest() { QLocale::setDefault(previous_); }
    LocaleForTest(const LocaleForTest&) = delete;
    LocaleForTest& operator=(const LocaleForTest&) = delete;

private:
    QLocale previous_;
};

// A number text of the window as it reads where it takes the user's decimal
// separator (the characteristics, the readouts, the results rows): the tests
// run under C.UTF-8 and ru_RU.UTF-8.
inline QString system_separator(QString text_with_point)
{
    return text_with_point.replace(QLatin1Char('.'), QLocale().decimalPoint());
}

// The value of a number text written with the user's decimal separator.
inline double value_of_shown(QString text)
{
    return text.replace(QLocale().decimalPoint(), QStringLiteral(".")).toDouble();
}

// A main window on the test doubles, shown at its designed size, working in
// a fresh temporary folder.
struct Lab {
    Doubles doubles;
    QTemporaryDir folder;
    std::unique_ptr<Form1> form;

    Lab()
    {
        form = std::make_unique<Form1>(doubles.services(folder.path()));
        form->show();
        QCoreApplication::processEvents();
    }
    ~Lab()
    {
        doubles.boxes.answer_yes = true;
        form.reset();
    }

    // A control by its objectName, as tools find it.
    QWidget* widget(const char* name) const { return form->findChild<QWidget*>(QString::fromLatin1(name)); }
    QString text(const char* name) const
    {
        QWidget* w = widget(name);
        if (auto* label = qobject_cast<QLabel*>(w))
            return label->text();
        if (auto* box = qobject_cast<QLineEdit*>(w))
            return box->text();
        return {};
    }
    QLineEdit* box(const char* name) const { return qobject_cast<QLineEdit*>(widget(name)); }
    void type(const char* name, const QString& text) { box(name)->setText(text); }
};

} // namespace vp::testing
