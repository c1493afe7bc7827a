// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form2.h"

#include "shell/apparatus_picture.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>

namespace vp {
namespace {

// Pixel sizes, like the main window's fonts, so that the six lines fit the
// label's 81 pixels whatever the desktop's font resolution.
constexpr int text_pixels = 11;
constexpr int smallest_pixels = 7;

// A line too wide for the label at the label's size (the e-mail address) is
// set smaller instead of being wrapped onto a seventh line or cut off.
QString fitted(const QString& text, const QFont& font, int width)
{
    QStringList lines;
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QFont f = font;
        while (f.pixelSize() > smallest_pixels && QFontMetrics(f).horizontalAdvance(line) > width)
            f.setPixelSize(f.pixelSize() - 1);
        lines
            << QStringLiteral("<span style=\"font-size:%1px\">%2</span>").arg(f.pixelSize()).arg(line.toHtmlEscaped());
    }
    return lines.join(QStringLiteral("<br>"));
}

} // namespace

Form2::Form2(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Авторы"));
    setFixedSize(222, 297);

    image_ = new QLabel(this);
    image_->setObjectName(QStringLiteral("Image1"));
    image_->setGeometry(32, 8, 150, 180);
    image_->setPixmap(apparatus_picture(QSize(150, 180), devicePixelRatioF()));

    label_ = new QLabel(this);
    label_->setObjectName(QStringLiteral("Label1"));
    label_->setGeometry(8, 200, 209, 81);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label_->setTextFormat(Qt::RichText);
    label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(text_pixels);
    label_->setFont(font);
    set_text(QStringLiteral("Label1"));
}

void Form2::set_text(const QString& text)
{
    text_ = text;
    label_->setText(fitted(text, label_->font(), label_->contentsRect().width()));
}

} // namespace vp
