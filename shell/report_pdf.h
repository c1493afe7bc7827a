// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "report/report_document.h"

#include <QByteArray>
#include <QDate>
#include <QRectF>
#include <QString>

#include <functional>
#include <string>

class QChart;
class QPainter;

namespace vp {

class FileDialogs;
struct SaveOutcome;

// Draws a picture of a report into a rectangle of the painter, in points.
using ReportPictureDrawing = std::function<void(ReportFigure figure, QPainter& painter, const QRectF& rect)>;

// The families a report is set in; the build installs both (fonts-liberation).
inline constexpr const char* report_serif = "Liberation Serif";
inline constexpr const char* report_sans = "Liberation Sans";

// A report set on A4 pages as a PDF: the title, the headings, the
// paragraphs, the tables (a table too long for a page goes on with its
// headings repeated, one too wide is narrowed and then split into parts
// that repeat its first column) and the pictures, drawn as vectors by
// `draw`. The same document gives the same bytes: the file is dated the day
// given, at noon.
QByteArray report_pdf(const ReportDocument& document, const ReportPictureDrawing& draw, QDate day);

// A chart drawn into a rectangle of a painter as a screen of `width` pixels
// would show it, its texts in the report's sans-serif family.
void draw_chart(QChart& chart, QPainter& painter, const QRectF& rect, double width);

// "Отчёт (PDF)…" and "Сохранить отчёт…": asks for the name of who made it
// (`author` offered and then kept) and for a PDF file, and writes there the
// report `document` makes with that name.
SaveOutcome save_report(FileDialogs& dialogs, QString& author, const QString& suggested_path,
                        const std::function<ReportDocument(const ReportHeading& heading)>& document,
                        const ReportPictureDrawing& draw, QDate day);

} // namespace vp
