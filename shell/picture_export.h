// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/csv_export.h"

#include <QImage>
#include <QSize>
#include <QString>

#include <functional>
#include <string>
#include <string_view>

class QPainter;

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

// A picture as it can be saved: the image shown on the screen, the same
// drawing made again on an image `ratio` times as fine, and the same drawing
// as shapes and text on a painter whose units are the picture's logical
// pixels (an SVG or PDF writer). Never the readout over the picture.
struct ExportablePicture {
    QSize logical_size;
    std::function<QImage()> as_shown;
    std::function<QImage(qreal ratio)> redrawn;
    std::function<void(QPainter& painter)> drawn_on;
};

// The sizes "Сохранить изображение…" offers for an image file.
enum class PictureSize { as_shown, three_times, a4_at_300_dpi };
inline constexpr int a4_width_at_300_dpi = 2480; // 210 mm
// How much finer than on the screen the drawing is made for a size.
qreal redraw_ratio(PictureSize size, const QSize& logical_size);

// "Сохранить изображение…": asks for a file name; SVG and PDF by the suffix
// chosen are the drawing as shapes and text, any other an image (PNG unless
// told otherwise), for which the size is asked: as shown, or drawn again for
// print at three times the resolution or at 300 dpi across an A4 page.
SaveOutcome save_picture(FileDialogs& dialogs, const ExportablePicture& picture, const QString& suggested_path);

// "Копировать изображение": the picture's image on the clipboard.
void copy_picture(const Canvas& picture);

// The writers the commands use. Each writes the whole file or, failing,
// leaves any file of that name as it was.
SaveOutcome write_run_csv(const RunRecord& run, const QString& path, const CsvDialect& dialect = {},
                          const SaveProgress& progress = {});
SaveOutcome write_bytes(const QString& path, const std::string& bytes);
SaveOutcome write_picture(const ExportablePicture& picture, PictureSize size, const QString& path);

// The text of the box the window shows when a file could not be written.
QString save_failure_text(const SaveOutcome& outcome);

} // namespace vp
