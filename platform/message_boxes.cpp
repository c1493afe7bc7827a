// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/message_boxes.h"

#include <QMessageBox>

namespace vp {

void QtMessageBoxes::show_message(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, parent_);
    box.exec();
}

bool QtMessageBoxes::ask_yes_no(const QString& title, const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Yes | QMessageBox::No, parent_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace vp
