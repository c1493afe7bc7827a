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

#include <algorithm>
#include <functional>

namespace vp {
namespace {

SaveOutcome ask_and_write(FileDialogs& dialogs, const QString& title, const QString& suggested_path,
                          const QString& filters, const std::function<SaveOutcome(const QString&)>& write)
{
    const QString path = dialogs.save_file_name(title, suggested_path, filters);
    if (path.isEmpty())
        return {SaveOutcome::cancelled, path, {}};
    return write(path);
}

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

// The drawing is a raster image: the SVG carries it as an embedded PNG,
// sized in the picture's logical pixels, so that it keeps its proportions and
// its full resolution in a document.
QByteArray svg_bytes(const Canvas& picture)
{
    const QByteArray w = QByteArray::number(picture.logical_size().width());
    const QByteArray h = QByteArray::number(picture.logical_size().height());
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" width=\"" +
           w + "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n<image width=\"" + w + "\" height=\"" +
           h + "\" xlink:href=\"data:image/png;base64," + image_bytes(picture.image(), "PNG").toBase64() +
           "\"/>\n</svg>\n";
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

// A page the size of the picture (96 logical pixels to the inch), the image
// drawn on it pixel for pixel.
SaveOutcome write_pdf(const Canvas& picture, const QString& path)
{
    const QImage& image = picture.image();
    const QSize size = picture.logical_size();
    if (image.isNull() || size.isEmpty())
        return failed(path, QStringLiteral("рисунок пуст"));
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("viscous-pendulum"));
        pdf.setPageSize(QPageSize(QSizeF(size.width() * 0.75, size.height() * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(qRound(96 * image.devicePixelRatio()));
        QPainter painter(&pdf);
        QImage plain = image;
        plain.setDevicePixelRatio(1);
        painter.drawImage(QRect(QPoint(0, 0), plain.size()), plain);
    }
    return write_bytes(path, bytes);
}

} // namespace

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

SaveOutcome save_picture(FileDialogs& dialogs, const Canvas& picture, const QString& suggested_path)
{
    return ask_and_write(dialogs, QStringLiteral("Сохранить изображение"), suggested_path,
                         QStringLiteral("Изображение PNG (*.png);;Рисунок SVG (*.svg);;Документ PDF (*.pdf)"),
                         [&picture](const QString& path) { return write_picture(picture, path); });
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

SaveOutcome write_picture(const Canvas& picture, const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return write_bytes(path, svg_bytes(picture));
    if (suffix == QLatin1String("pdf"))
        return write_pdf(picture, path);
    // PNG as the dialog offers it; another suffix typed by hand asks for its
    // own format, where Qt writes it.
    const QByteArray format = suffix.isEmpty() ? QByteArray("PNG") : suffix.toLatin1();
    const QByteArray bytes = image_bytes(picture.image(), format.constData());
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
