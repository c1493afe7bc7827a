// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QLineEdit>
#include <QRegularExpression>

namespace vp {
namespace {

// "Рисунок SVG (*.svg)" -> "svg".
QString suffix_of_filter(const QString& filter)
{
    static const QRegularExpression suffix(QStringLiteral("\\*\\.([A-Za-z0-9]+)"));
    return suffix.match(filter).captured(1);
}

} // namespace

FileDialogs::Target FileDialogs::save_target(const QString& title, const QString& suggested_path,
                                             const QString& filters)
{
    return {save_file_name(title, suggested_path, filters), filters.section(QStringLiteral(";;"), 0, 0)};
}

std::optional<QString> FileDialogs::ask_text(const QString&, const QString&, const QString& text)
{
    return text;
}

QWidget* QtFileDialogs::owner()
{
    // Between two dialogs of one command (the report's name, then its file)
    // no window may be active yet: the last one that was stays the owner.
    if (QWidget* active = QApplication::activeWindow())
        last_active_ = active;
    return last_active_ ? last_active_.data() : parent_.data();
}

QString QtFileDialogs::save_file_name(const QString& title, const QString& suggested_path, const QString& filters)
{
    return save_target(title, suggested_path, filters).path;
}

FileDialogs::Target QtFileDialogs::save_target(const QString& title, const QString& suggested_path,
                                               const QString& filters)
{
    QFileDialog dialog(owner(), title, suggested_path);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(filters);
    const QString suggested_suffix = QFileInfo(suggested_path).suffix();
    // The first filter of the suggested suffix: of two for one suffix, the
    // first is the usual one.
    for (const QString& filter : dialog.nameFilters()) {
        if (suffix_of_filter(filter) == suggested_suffix) {
            dialog.selectNameFilter(filter);
            break;
        }
    }
    dialog.setDefaultSuffix(suffix_of_filter(dialog.selectedNameFilter()));
    QObject::connect(&dialog, &QFileDialog::filterSelected,
                     [&dialog](const QString& filter) { dialog.setDefaultSuffix(suffix_of_filter(filter)); });
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return {dialog.selectedFiles().constFirst(), dialog.selectedNameFilter()};
}

int QtFileDialogs::choose(const QString& title, const QString& question, const QStringList& options)
{
    bool chosen = false;
    const QString answer = QInputDialog::getItem(owner(), title, question, options, 0, false, &chosen);
    return chosen ? static_cast<int>(options.indexOf(answer)) : -1;
}

std::optional<QString> QtFileDialogs::ask_text(const QString& title, const QString& label, const QString& text)
{
    bool given = false;
    const QString answer = QInputDialog::getText(owner(), title, label, QLineEdit::Normal, text, &given);
    if (!given)
        return std::nullopt;
    return answer;
}

} // namespace vp
