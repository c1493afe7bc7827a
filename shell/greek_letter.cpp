// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/greek_letter.h"

#include <QFontMetrics>
#include <QPainter>

namespace vp {

GreekLetter::GreekLetter(const QString& letter, const QLabel* label, QWidget* parent)
    : QLabel(letter, parent), label_(label)
{
}

int GreekLetter::baseline_of(const QLabel& label)
{
    // A label with a frame and no indent of its own indents its text by half
    // the width of an "x" from the edges it is aligned to: here the top.
    const QFontMetrics metrics(label.font());
    const int indent = label.indent() >= 0      ? label.indent()
                       : label.frameWidth() > 0 ? metrics.horizontalAdvance(QLatin1Char('x')) / 2
                                                : 0;
    return label.y() + label.contentsRect().top() + label.margin() + indent + metrics.ascent();
}

void GreekLetter::paintEvent(QPaintEvent* /*event*/)
{
    if (!label_) {
        QLabel::paintEvent(nullptr);
        return;
    }
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(QPoint(contentsRect().left(), baseline_of(*label_) - y()), text());
}

} // namespace vp
