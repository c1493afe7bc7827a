// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/menu_icons.h"

#include "drawing/colours.h"
#include "platform/qcolor.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>

namespace vp {
namespace {

// Drawn on a 32 x 32 grid; the icon engine scales to the menu's size.
constexpr int side = 32;

const QColor ink(40, 40, 40);
const QColor blue = to_qcolor(colours::rod);
const QColor dark_red = to_qcolor(colours::sphere);

void book(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(60, 90, 170));
    p.drawRoundedRect(QRectF(7, 4, 19, 24), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(9, 25, 17, 3));
    p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap));
    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(7, 4, 19, 21), Qt::AlignCenter, QStringLiteral("?"));
}

void table(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4, 6, 24, 20));
    p.fillRect(QRectF(4.75, 6.75, 22.5, 5), to_qcolor(colours::light_cyan));
    for (double y : {12.0, 17.0, 22.0})
        p.drawLine(QPointF(4, y), QPointF(28, y));
    p.drawLine(QPointF(13, 6), QPointF(13, 26));
}

void stokes(QPainter& p)
{
    p.setPen(QPen(blue, 2, Qt::SolidLine, Qt::RoundCap));
    for (double y : {8.0, 16.0, 24.0}) {
        QPainterPath stream;
        stream.moveTo(2, y);
        stream.cubicTo(10, y, 12, y + (y - 16) * 0.4, 30, y);
        p.drawPath(stream);
    }
    p.setPen(QPen(ink, 1.5));
    p.setBrush(dark_red);
    p.drawEllipse(QPointF(18, 16), 7, 7);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(18, 16), 3.5, 3.5);
}

void exit_door(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(170, 120, 70));
    p.drawRect(QRectF(6, 4, 14, 24));
    p.setBrush(ink);
    p.drawEllipse(QPointF(17, 16), 1.2, 1.2);
    p.setPen(QPen(dark_red, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(16, 16), QPointF(29, 16));
    p.drawPolyline(QPolygonF({QPointF(24, 11), QPointF(29, 16), QPointF(24, 21)}));
}

void sheet(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(to_qcolor(colours::light_yellow));
    p.drawPolygon(QPolygonF({QPointF(7, 3), QPointF(21, 3), QPointF(26, 8), QPointF(26, 29), QPointF(7, 29)}));
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    for (double y : {11.0, 15.5, 20.0, 24.5})
        p.drawLine(QPointF(10, y), QPointF(23, y));
}

void controls(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(to_qcolor(colours::light_grey));
    p.drawRect(QRectF(3, 5, 26, 7));
    p.setBrush(QColor(150, 150, 150));
    p.drawRect(QRectF(15, 5, 6, 7));
    p.setBrush(QColor(235, 235, 235));
    p.drawRoundedRect(QRectF(6, 17, 20, 10), 2, 2);
    QFont font = p.font();
    font.setPixelSize(7);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(6, 17, 20, 10), Qt::AlignCenter, QStringLiteral("ПУСК"));
}

void authors(QPainter& p)
{
    p.setPen(QPen(ink, 1.2));
    const QColor colours[] = {QColor(60, 90, 170), QColor(40, 140, 80)};
    const double xs[] = {11, 21};
    for (int i = 0; i < 2; ++i) {
        p.setBrush(QColor(240, 200, 160));
        p.drawEllipse(QPointF(xs[i], 10), 4.5, 4.5);
        p.setBrush(colours[i]);
        p.drawChord(QRectF(xs[i] - 8, 16, 16, 24), 0, 180 * 16);
    }
}

void about(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(QColor(60, 90, 170));
    p.drawEllipse(QPointF(16, 16), 13, 13);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(16, 9.5), 2.2, 2.2);
    p.drawRoundedRect(QRectF(14, 13.5, 4, 11), 1, 1);
}

void seal(QPainter& p)
{
    p.setPen(QPen(ink, 1.5));
    p.setBrush(dark_red);
    QPolygonF star;
    for (int i = 0; i < 24; ++i) {
        const double r = i % 2 ? 10.5 : 13.5;
        const double a = i * 3.141592653589793 / 12;
        star << QPointF(16 + r * std::cos(a), 14 + r * std::sin(a));
    }
    p.drawPolygon(star);
    p.setBrush(QColor(230, 190, 60));
    p.drawEllipse(QPointF(16, 14), 6, 6);
    p.setBrush(dark_red);
    p.drawPolygon(QPolygonF({QPointF(10, 24), QPointF(8, 31), QPointF(12, 29), QPointF(14, 25)}));
    p.drawPolygon(QPolygonF({QPointF(22, 24), QPointF(24, 31), QPointF(20, 29), QPointF(18, 25)}));
}

} // namespace

QIcon menu_icon(MenuIcon which)
{
    QIcon icon;
    for (const qreal scale : {1.0, 2.0}) {
        QPixmap pixmap(QSize(side, side) * scale);
        pixmap.setDevicePixelRatio(scale);
        pixmap.fill(Qt::transparent);
        QPainter p(&pixmap);
        p.setRenderHint(QPainter::Antialiasing);
        switch (which) {
        case MenuIcon::reference: book(p); break;
        case MenuIcon::table: table(p); break;
        case MenuIcon::stokes: stokes(p); break;
        case MenuIcon::exit: exit_door(p); break;
        case MenuIcon::instruction: sheet(p); break;
        case MenuIcon::controls: controls(p); break;
        case MenuIcon::authors: authors(p); break;
        case MenuIcon::about: about(p); break;
        case MenuIcon::registration: seal(p); break;
        }
        p.end();
        icon.addPixmap(pixmap);
    }
    return icon;
}

} // namespace vp
