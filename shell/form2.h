// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

class QLabel;

namespace vp {

// The authors window: a picture of the apparatus and six lines about the
// authors. Not modal; the main window refills and raises it.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
    // Lines separated by "\n", each kept on one line of the label.
    void set_text(const QString& text);
    QString text() const { return text_; }

private:
    QLabel* image_ = nullptr;
    QLabel* label_ = nullptr;
    QString text_;
};

} // namespace vp
