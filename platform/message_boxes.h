// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

namespace vp {

// Modal message boxes. The window asks through this interface so that tests
// answer without a person.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    // A box with one OK button and no icon.
    virtual void show_message(const QString& title, const QString& text) = 0;
    // A Yes/No question without icon; true for Yes.
    virtual bool ask_yes_no(const QString& title, const QString& text) = 0;
};

class QtMessageBoxes final : public MessageBoxes {
public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    void show_message(const QString& title, const QString& text) override;
    bool ask_yes_no(const QString& title, const QString& text) override;

private:
    QPointer<QWidget> parent_;
};

} // namespace vp
