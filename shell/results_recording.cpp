// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/results_recording.h"

#include "analysis/run_record.h"
#include "input/results_file.h"

#include <QDir>

namespace vp {
namespace {

// New names for the rows, tried in turn after the file's own.
constexpr int spare_names = 99;

QString to_qstring(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string row_text(const RunRow& row, std::string_view decimal_separator)
{
    return results_row(row.t, row.fi_deg, row.wz, row.W, decimal_separator);
}

} // namespace

bool ResultsRecording::start(const QString& folder, std::vector<std::string> head)
{
    folder_ = folder;
    head_ = std::move(head);
    rows_ = 0;
    moved_ = false;
    name_ = to_qstring(results_file_name);
    const QDir dir(folder_);
    bool written =
        file_.open(dir.filePath(name_), dir.filePath(to_qstring(previous_results_file_name)), results_head_lines);
    for (const std::string& line : head_) {
        if (!written)
            break;
        written = file_.write_line(line);
    }
    if (!written) {
        failure_text_ = QStringLiteral("Файл результатов %1 записать нельзя: %2").arg(name_, file_.error());
        file_.close();
    }
    return written;
}

bool ResultsRecording::write_row(const RunRecord& run, std::string_view decimal_separator)
{
    if (!file_.is_open() || run.empty())
        return true;
    if (!file_.still_named() && !move_rows(run, decimal_separator))
        return false;
    if (file_.write_line(row_text(run.row(run.size() - 1), decimal_separator))) {
        ++rows_;
        return true;
    }
    failure_text_ = QStringLiteral("Запись в файл результатов %1 прервана: %2").arg(name_, file_.error());
    return false;
}

bool ResultsRecording::finish(const RunRecord& run, std::string_view decimal_separator)
{
    const bool kept = !file_.is_open() || file_.still_named() || move_rows(run, decimal_separator);
    file_.close();
    return kept;
}

QString ResultsRecording::moved_text() const
{
    if (!moved_)
        return {};
    return QStringLiteral(
               "Файл результатов %1 во время расчёта удалён или заменён. Все строки расчёта записаны в файл %2.")
        .arg(to_qstring(results_file_name), name_);
}

bool ResultsRecording::move_rows(const RunRecord& run, std::string_view decimal_separator)
{
    const QDir dir(folder_);
    const QString lost = name_;
    bool made = false;
    for (int n = 0; n <= spare_names && !made; ++n) {
        name_ = n == 0 ? to_qstring(results_file_name) : QStringLiteral("vibrel_out.%1.txt").arg(n);
        made = file_.create(dir.filePath(name_));
        if (!made && !file_.taken())
            break;
    }
    if (!made || !write_all(run, decimal_separator)) {
        failure_text_ =
            QStringLiteral("Файл результатов %1 во время расчёта удалён или заменён, а записать строки расчёта "
                           "в новый файл нельзя: %2. Расчёт остался в памяти: его можно сохранить "
                           "командой «Сохранить данные (CSV)…».")
                .arg(lost, file_.error());
        file_.close();
        return false;
    }
    moved_ = true;
    return true;
}

bool ResultsRecording::write_all(const RunRecord& run, std::string_view decimal_separator)
{
    for (const std::string& line : head_) {
        if (!file_.write_line(line))
            return false;
    }
    for (std::size_t i = 0; i < rows_ && i < run.size(); ++i) {
        if (!file_.write_line(row_text(run.row(i), decimal_separator)))
            return false;
    }
    return true;
}

} // namespace vp
