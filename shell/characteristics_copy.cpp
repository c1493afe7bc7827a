// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/characteristics_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QWidget>

namespace vp {

QAction* attach_copy_characteristics(QWidget* widget, std::function<QString()> text)
{
    auto* action = new QAction(QStringLiteral("Копировать характеристики"), widget);
    QObject::connect(action, &QAction::triggered, widget,
                     [text = std::move(text)] { QGuiApplication::clipboard()->setText(text()); });
    widget->addAction(action);
    widget->setContextMenuPolicy(Qt::ActionsContextMenu);
    return action;
}

} // namespace vp
