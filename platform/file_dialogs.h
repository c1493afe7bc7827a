// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <optional>

namespace vp {

// The file dialog of the save commands. The window asks through this
// interface so that tests name the file without a person.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The name of a file to write, or an empty string when the user cancels.
    // `filters` is in Qt's form ("Изображение PNG (*.png);;Документ PDF (*.pdf)");
    // a name typed without a suffix gets the one of the filter chosen.
    virtual QString save_file_name(const QString& title, const QString& suggested_path, const QString& filters) = 0;
    // One of the options (its index), or -1 when the user cancels.
    virtual int choose(const QString& title, const QString& question, const QStringList& options) = 0;

    // A line of text the user types ("Выполнил(а):"), `text` offered; nothing
    // when the user cancels. A dialog that cannot ask gives `text`.
    virtual std::optional<QString> ask_text(const QString& title, const QString& label, const QString& text);

    // The same, and which of the filters the user chose: two filters may
    // share a suffix ("CSV (*.csv)" and "CSV для Excel (*.csv)"). A dialog
    // that cannot tell gives the first.
    struct Target {
        QString path;
        QString filter;
    };
    virtual Target save_target(const QString& title, const QString& suggested_path, const QString& filters);
};

class QtFileDialogs final : public FileDialogs {
public:
    void set_parent(QWidget* parent) { parent_ = parent; }
    QString save_file_name(const QString& title, const QString& suggested_path, const QString& filters) override;
    int choose(const QString& title, const QString& question, const QStringList& options) override;
    std::optional<QString> ask_text(const QString& title, const QString& label, const QString& text) override;
    Target save_target(const QString& title, const QString& suggested_path, const QString& filters) override;

private:
    // The window the user works in (the analysis or the series window, say),
    // so that a dialog raised from it does not bring the main window over it.
    QWidget* owner();

    QPointer<QWidget> parent_;
    QPointer<QWidget> last_active_;
};

} // namespace vp
