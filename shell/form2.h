#pragma once

#include <QWidget>

class QLabel;

namespace vp {

// The authors window: a picture of the apparatus and six lines about the
// authors. Not modal; the main window refills and raises it.
class Form2 : public QWidget {
    Q_OBJECT
public:
    explicit Form2(QWidget* parent = nullptr);
    void set_text(const QString& text);
    QString text() const;

private:
    QLabel* image_ = nullptr;
    QLabel* label_ = nullptr;
};

} // namespace vp
