// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/picture_export.h"

#include "analysis/csv_export.h"
#include "analysis/run_record.h"
#include "platform/canvas.h"
#include "platform/file_dialogs.h"
#include "platform/text_files.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <functional>

namespace vp {
namespace {

SaveOutcome failed(const QString& path, const QString& reason)
{
    return {SaveOutcome::failed, path, reason};
}

// An image file's bytes in a format Qt writes ("PNG", "jpg", "bmp"...);
// empty when it does not.
QByteArray image_bytes(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        bytes.clear();
    return bytes;
}

SaveOutcome write_bytes(const QString& path, const QByteArray& bytes)
{
    WholeFileWriter file;
    if (file.open(path) && file.write(bytes.constData(), static_cast<std::size_t>(bytes.size())) && file.commit())
        return {SaveOutcome::saved, path, {}};
    return failed(path, file.error());
}

const QString plain_csv_type = QStringLiteral("CSV (*.csv)");
const QString excel_csv_type = QStringLiteral("CSV для Excel (*.csv)");

QByteArray svg_bytes(const ExportablePicture& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator svg;
    svg.setOutputDevice(&buffer);
    svg.setSize(picture.logical_size);
    svg.setViewBox(QRect(QPoint(0, 0), picture.logical_size));
    svg.setTitle(QStringLiteral("viscous-pendulum"));
    QPainter painter(&svg);
    picture.drawn_on(painter);
    painter.end();
    return bytes;
}

// A page the size of the picture, 96 logical pixels to the inch.
QByteArray pdf_bytes(const ExportablePicture& picture)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter pdf(&buffer);
    pdf.setCreator(QStringLiteral("viscous-pendulum"));
    const QSize size = picture.logical_size;
    pdf.setPageSize(QPageSize(QSizeF(size.width() * 0.75, size.height() * 0.75), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setResolution(96);
    QPainter painter(&pdf);
    picture.drawn_on(painter);
    painter.end();
    return bytes;
}

bool is_vector(const QString& suffix)
{
    return suffix == QLatin1String("svg") || suffix == QLatin1String("pdf");
}

} // namespace

qreal redraw_ratio(PictureSize size, const QSize& logical_size)
{
    switch (size) {
    case PictureSize::as_shown: return 1;
    case PictureSize::three_times: return 3;
    case PictureSize::a4_at_300_dpi:
        return logical_size.width() > 0 ? qreal(a4_width_at_300_dpi) / logical_size.width() : 1;
    }
    return 1;
}

QString csv_file_types()
{
    return plain_csv_type + QStringLiteral(";;") + excel_csv_type;
}

CsvDialect csv_dialect(const QString& file_type, std::string_view decimal_separator)
{
    return file_type == excel_csv_type ? excel_csv(decimal_separator) : CsvDialect{};
}

SaveOutcome save_csv(FileDialogs& dialogs, const QString& title, const QString& suggested_path,
                     std::string_view decimal_separator,
                     const std::function<SaveOutcome(const QString& path, const CsvDialect& dialect)>& write)
{
    const FileDialogs::Target target = dialogs.save_target(title, suggested_path, csv_file_types());
    if (target.path.isEmpty())
        return {SaveOutcome::cancelled, target.path, {}};
    return write(target.path, csv_dialect(target.filter, decimal_separator));
}

SaveOutcome save_run_data(FileDialogs& dialogs, const RunRecord& run, const QString& suggested_path,
                          std::string_view decimal_separator, const SaveProgress& progress)
{
    return save_csv(
        dialogs, QStringLiteral("Сохранить данные (CSV)"), suggested_path, decimal_separator,
        [&](const QString& path, const CsvDialect& dialect) { return write_run_csv(run, path, dialect, progress); });
}

SaveOutcome save_picture(FileDialogs& dialogs, const ExportablePicture& picture, const QString& suggested_path)
{
    const QString path =
        dialogs.save_file_name(QStringLiteral("Сохранить изображение"), suggested_path,
                               QStringLiteral("Изображение PNG (*.png);;Рисунок SVG (*.svg);;Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return {SaveOutcome::cancelled, path, {}};
    PictureSize size = PictureSize::as_shown;
    if (!is_vector(QFileInfo(path).suffix().toLower())) {
        const QSize shown = picture.logical_size;
        const auto option = [&shown](const QString& text, PictureSize s) {
            const qreal ratio = redraw_ratio(s, shown);
            return text.arg(qRound(shown.width() * ratio)).arg(qRound(shown.height() * ratio));
        };
        const int choice = dialogs.choose(
            QStringLiteral("Сохранить изображение"), QStringLiteral("Размер изображения:"),
            {option(QStringLiteral("Как на экране (%1 × %2)"), PictureSize::as_shown),
             option(QStringLiteral("Для печати, втрое крупнее (%1 × %2)"), PictureSize::three_times),
             option(QStringLiteral("Для печати, 300 dpi на ширину листа A4 (%1 × %2)"), PictureSize::a4_at_300_dpi)});
        if (choice < 0)
            return {SaveOutcome::cancelled, path, {}};
        size = static_cast<PictureSize>(choice);
    }
    return write_picture(picture, size, path);
}

void copy_picture(const Canvas& picture)
{
    QGuiApplication::clipboard()->setImage(picture.image());
}

SaveOutcome write_run_csv(const RunRecord& run, const QString& path, const CsvDialect& dialect,
                          const SaveProgress& progress)
{
    WholeFileWriter file;
    if (!file.open(path))
        return failed(path, file.error());
    bool written = true;
    // The rows written so far, counted by their line ends (the header's
    // among them).
    std::size_t lines = 0;
    write_csv(
        run,
        [&](std::string_view piece) {
            written = written && file.write(piece.data(), piece.size());
            lines += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
            if (written && progress)
                progress(std::min(1.0, static_cast<double>(lines - 1) /
                                           static_cast<double>(std::max<std::size_t>(run.size(), 1))));
        },
        dialect);
    if (written && file.commit())
        return {SaveOutcome::saved, path, {}};
    return failed(path, file.error());
}

SaveOutcome write_picture(const ExportablePicture& picture, PictureSize size, const QString& path)
{
    if (picture.logical_size.isEmpty())
        return failed(path, QStringLiteral("рисунок пуст"));
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return write_bytes(path, svg_bytes(picture));
    if (suffix == QLatin1String("pdf"))
        return write_bytes(path, pdf_bytes(picture));
    const QImage image =
        size == PictureSize::as_shown ? picture.as_shown() : picture.redrawn(redraw_ratio(size, picture.logical_size));
    // PNG as the dialog offers it; another suffix typed by hand asks for its
    // own format, where Qt writes it.
    const QByteArray format = suffix.isEmpty() ? QByteArray("PNG") : suffix.toLatin1();
    const QByteArray bytes = image_bytes(image, format.constData());
    if (bytes.isEmpty())
        return failed(path, QStringLiteral("изображения в формате «%1» эта программа не пишет").arg(suffix));
    return write_bytes(path, bytes);
}

SaveOutcome write_bytes(const QString& path, const std::string& bytes)
{
    return write_bytes(path, QByteArray::fromStdString(bytes));
}

QString save_failure_text(const SaveOutcome& outcome)
{
    return QStringLiteral("Не удалось записать файл %1: %2")
        .arg(QDir::toNativeSeparators(outcome.path), outcome.reason);
}

} // namespace vp
