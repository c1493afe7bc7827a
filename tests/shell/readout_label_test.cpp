// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/readout_label.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

namespace vp {
namespace {

// The readouts' look: a framed 16-pixel serif label on light cyan.
template <typename Label>
void dress(Label& label, const QString& text)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(16);
    label.setFont(font);
    QPalette palette = label.palette();
    palette.setColor(QPalette::Window, QColor(0xc0, 0xff, 0xff));
    label.setPalette(palette);
    label.setAutoFillBackground(true);
    label.setFrameStyle(QFrame::Box | QFrame::Plain);
    label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label.setGeometry(0, 0, 168, 26);
    label.setText(text);
}

QImage rendered(QWidget& label, qreal ratio, const QRegion& region = {}, QImage onto = {})
{
    if (onto.isNull()) {
        onto = QImage(label.size() * ratio, QImage::Format_RGB32);
        onto.setDevicePixelRatio(ratio);
        onto.fill(Qt::magenta);
    }
    // The region's corner goes where it lies in the label.
    label.render(&onto, region.boundingRect().topLeft(), region);
    return onto;
}

// How many pixels differ, for a message that says more than the sizes.
int differing(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

TEST(ReadoutLabel, PaintsExactlyAsAFramedLabel)
{
    const QString texts[] = {
        QStringLiteral("t = 0.021708 c"),
        QStringLiteral("fi = -33.075437 °"),
        QStringLiteral("wz = 1,234567 рад/с"),
        QStringLiteral("W = 298.790000 Дж"),
        QStringLiteral("текущая угловая скорос."),
        QStringLiteral("W = 12345678901234567890123 Дж"),
        QStringLiteral("t = 中文 c"),
        QString(),
    };
    for (const qreal ratio : {1.0, 2.0}) {
        for (const QString& text : texts) {
            QLabel expected;
            ReadoutLabel readout({});
            dress(expected, text);
            dress(readout, text);
            const QImage a = rendered(readout, ratio), b = rendered(expected, ratio);
            EXPECT_EQ(differing(a, b), 0) << text.toStdString() << " at " << ratio;
        }
    }
}

TEST(ReadoutLabel, ANewTextRepaintsItsInsideWhole)
{
    // The frame is left as it was; everything inside is painted afresh.
    for (const qreal ratio : {1.0, 2.0}) {
        ReadoutLabel readout({});
        dress(readout, QStringLiteral("fi = -33.075437 °"));
        QImage picture = rendered(readout, ratio);
        readout.setText(QStringLiteral("fi = 1.5 °"));
        picture = rendered(readout, ratio, readout.contentsRect(), picture);
        QLabel expected;
        dress(expected, QStringLiteral("fi = 1.5 °"));
        EXPECT_EQ(differing(picture, rendered(expected, ratio)), 0) << ratio;
    }
}

} // namespace
} // namespace vp
