// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vp {

class Canvas;
class FileDialogs;
class RunRecord;

// What a save command came to; `path` is the file written or attempted.
struct SaveOutcome {
    enum Result { saved, cancelled, failed } result = cancelled;
    QString path;
};

// "Сохранить данные (CSV)…": asks for a file name (suggested_path proposes
// one) and writes the kept run there as CSV.
SaveOutcome save_run_data(FileDialogs& dialogs, const RunRecord& run, const QString& suggested_path);

// "Сохранить изображение…": asks for a file name and writes what the
// picture shows, without the readout over it, at the screen's resolution:
// PNG, or SVG or PDF by the suffix chosen.
SaveOutcome save_picture(FileDialogs& dialogs, const Canvas& picture, const QString& suggested_path);

// "Копировать изображение": the picture's image on the clipboard.
void copy_picture(const Canvas& picture);

// The writers the commands use. Each writes the whole file or, failing,
// leaves any file of that name as it was.
bool write_run_csv(const RunRecord& run, const QString& path);
bool write_picture(const Canvas& picture, const QString& path);

// The text of the box the window shows when a file could not be written.
QString save_failure_text(const QString& path);

} // namespace vp
