// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/scrolling_window.h"

#include <QGuiApplication>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace vp {

QVBoxLayout* scrolling_content(QWidget& window, const char* scroller_name)
{
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QString::fromLatin1(scroller_name));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setWidget(content);
    auto* outer = new QVBoxLayout(&window);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroller);
    return layout;
}

QSize on_screen_size(QSize wanted)
{
    const QSize screen = QGuiApplication::primaryScreen()->availableSize();
    return {std::min(wanted.width(), screen.width() * 19 / 20), std::min(wanted.height(), screen.height() * 19 / 20)};
}

} // namespace vp
