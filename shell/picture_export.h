// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/csv_export.h"

#include <QString>

#include <functional>
#include <string>
#include <string_view>

namespace vp {

class Canvas;
class FileDialogs;
class RunRecord;

// What a save command came to; `path` is the file written or attempted,
// `reason` why it failed, in the program's words.
struct SaveOutcome {
    enum Result { saved, cancelled, failed } result = cancelled;
    QString path;
    QString reason;
};

// How far a long save has come: the share of it written, 0 to 1.
using SaveProgress = std::function<void(double done)>;

// The file types every CSV is offered in: "CSV (*.csv)", the plain one for
// programs, and "CSV для Excel (*.csv)" for spreadsheets, with the user's
// decimal separator.
QString csv_file_types();
CsvDialect csv_dialect(const QString& file_type, std::string_view decimal_separator);

// Asks for a file name and a CSV type and writes the text made in that
// dialect there.
SaveOutcome save_csv(FileDialogs& dialogs, const QString& title, const QString& suggested_path,
                     std::string_view decimal_separator,
                     const std::function<SaveOutcome(const QString& path, const CsvDialect& dialect)>& write);

// "Сохранить данные (CSV)…": asks for a file name (suggested_path proposes
// one) and a CSV type, and writes the kept run there, telling `progress` as
// it goes.
SaveOutcome save_run_data(FileDialogs& dialogs, const RunRecord& run, const QString& suggested_path,
                          std::string_view decimal_separator, const SaveProgress& progress = {});

// "Сохранить изображение…": asks for a file name and writes what the
// picture shows, without the readout over it, at the screen's resolution:
// PNG, or SVG or PDF by the suffix chosen.
SaveOutcome save_picture(FileDialogs& dialogs, const Canvas& picture, const QString& suggested_path);

// "Копировать изображение": the picture's image on the clipboard.
void copy_picture(const Canvas& picture);

// The writers the commands use. Each writes the whole file or, failing,
// leaves any file of that name as it was.
SaveOutcome write_run_csv(const RunRecord& run, const QString& path, const CsvDialect& dialect = {},
                          const SaveProgress& progress = {});
SaveOutcome write_bytes(const QString& path, const std::string& bytes);
SaveOutcome write_picture(const Canvas& picture, const QString& path);

// The text of the box the window shows when a file could not be written.
QString save_failure_text(const SaveOutcome& outcome);

} // namespace vp
