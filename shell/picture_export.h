// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

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

// "Сохранить данные (CSV)…": asks for a file name (suggested_path proposes
// one) and writes the kept run there as CSV, telling `progress` as it goes.
SaveOutcome save_run_data(FileDialogs& dialogs, const RunRecord& run, const QString& suggested_path,
                          const SaveProgress& progress = {});

// "Сохранить изображение…": asks for a file name and writes what the
// picture shows, without the readout over it, at the screen's resolution:
// PNG, or SVG or PDF by the suffix chosen.
SaveOutcome save_picture(FileDialogs& dialogs, const Canvas& picture, const QString& suggested_path);

// "Копировать изображение": the picture's image on the clipboard.
void copy_picture(const Canvas& picture);

// The writers the commands use. Each writes the whole file or, failing,
// leaves any file of that name as it was.
SaveOutcome write_run_csv(const RunRecord& run, const QString& path, const SaveProgress& progress = {});
SaveOutcome write_picture(const Canvas& picture, const QString& path);

// The text of the box the window shows when a file could not be written.
QString save_failure_text(const SaveOutcome& outcome);

} // namespace vp
