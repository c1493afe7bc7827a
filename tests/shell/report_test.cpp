// SPDX-License-Identifier: GPL-3.0-or-later
// The laboratory report of a run and of a series as a reader of the PDF
// finds it: its text (pdftotext), its fonts (pdffonts), its images
// (pdfimages) and its drawing.
#include "form1_test_support.h"

#include "input/quantity_table.h"
#include "platform/canvas_widget.h"
#include "shell/picture_tools.h"
#include "shell/series_window.h"
#include "texts/characteristic_table.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QFile>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTableView>
#include <QTableWidget>

#include <gtest/gtest.h>

namespace vp::testing {
namespace {

QString output_of(const QString& program, const QStringList& arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    EXPECT_TRUE(tool.waitForFinished(60000)) << program.toStdString();
    EXPECT_EQ(tool.exitCode(), 0) << program.toStdString() << ": " << tool.readAllStandardError().toStdString();
    return QString::fromUtf8(tool.readAllStandardOutput());
}

// Runs of blanks as one, lines joined: how the layout of a page is read.
QString squeezed(QString text)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    return text.replace(blanks, QStringLiteral(" "));
}

// A row of a window's table as the page reads it: its cells, blanks between.
QString row_text(const QAbstractItemModel& model, int row)
{
    QStringList cells;
    for (int column = 0; column < model.columnCount(); ++column) {
        const QString cell = model.index(row, column).data().toString().trimmed();
        if (!cell.isEmpty())
            cells << cell;
    }
    return squeezed(cells.join(QLatin1Char(' ')));
}

struct Pdf {
    QByteArray bytes;
    QString text;                // the pages' text, its layout kept
    QStringList fonts;           // the fonts' names
    int images = 0;              // the images it holds
    qsizetype line_segments = 0; // straight lines drawn, over all its content
};

Pdf read_pdf(const QString& path)
{
    Pdf pdf;
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    pdf.bytes = file.readAll();
    pdf.text = output_of(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    for (const QString& line : output_of(QStringLiteral("pdffonts"), {path}).split(QLatin1Char('\n')).mid(2))
        if (!line.trimmed().isEmpty())
            pdf.fonts << line.section(QLatin1Char(' '), 0, 0);
    const QStringList images = output_of(QStringLiteral("pdfimages"), {QStringLiteral("-list"), path})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    pdf.images = static_cast<int>(images.size()) - 2;
    // The content streams, inflated: zlib data behind the four bytes of
    // length qUncompress reads first (a guess it grows from).
    static const QRegularExpression stream(QStringLiteral("/FlateDecode[^>]*>>\\s*stream\\r?\\n"));
    const QString latin = QString::fromLatin1(pdf.bytes);
    QRegularExpressionMatchIterator m = stream.globalMatch(latin);
    while (m.hasNext()) {
        const QRegularExpressionMatch found = m.next();
        const qsizetype from = found.capturedEnd();
        const qsizetype to = pdf.bytes.indexOf("endstream", from);
        QByteArray zipped = pdf.bytes.mid(from, to - from);
        const quint32 guess = static_cast<quint32>(zipped.size()) * 8;
        zipped.prepend(static_cast<char>(guess & 0xff))
            .prepend(static_cast<char>((guess >> 8) & 0xff))
            .prepend(static_cast<char>((guess >> 16) & 0xff))
            .prepend(static_cast<char>(guess >> 24));
        const QByteArray content = qUncompress(zipped);
        pdf.line_segments += content.count(" l\n");
    }
    return pdf;
}

QAction* picture_item(const Lab& lab, const QString& text)
{
    for (QAction* a : lab.form->controls().Picture3->findChild<PictureTools*>()->menu()->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

TEST(Report, OfARunSaysWhatTheWindowsShowAndDrawsThePicturesAsLines)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("12"));
    picture_item(lab, QStringLiteral("Анализ колебаний…"))->trigger();
    AnalysisWindow& window = *lab.form->analysis_window();
    auto* button = window.findChild<QPushButton*>(QStringLiteral("CmdReport"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Отчёт (PDF)…"));
    EXPECT_FALSE(button->isEnabled()) << "no run to tell of yet";
    lab.form->CmdOK_Click();
    EXPECT_TRUE(button->isEnabled());

    const QString path = lab.folder.filePath(QStringLiteral("отчёт.pdf"));
    lab.doubles.dialogs.answer = path;
    button->click();
    EXPECT_EQ(lab.doubles.dialogs.suggested.back(), lab.folder.filePath(QStringLiteral("report.pdf")));
    const Pdf pdf = read_pdf(path);
    const QString page = squeezed(pdf.text);

    EXPECT_TRUE(page.contains(QStringLiteral("Отчёт о лабораторной работе")));
    EXPECT_TRUE(page.contains(QStringLiteral("«Колебания толстостенной сферы на массивном стержне в вязкой среде»")));
    EXPECT_TRUE(page.contains(QStringLiteral("Дата: 14 марта 2026 г.")));
    EXPECT_TRUE(page.contains(QStringLiteral("Выполнил(а): ________")));
    // Each quantity on its line: what its box shows, with its unit.
    const QStringList lines = pdf.text.split(QLatin1Char('\n'));
    for (const QuantityRow& row : quantity_table()) {
        const QString what = QString::fromUtf8(row.tooltip.data(), static_cast<qsizetype>(row.tooltip.size()))
                                 .section(QLatin1Char('.'), 0, 0);
        const QString shown = squeezed(lab.text(std::string(row.box).c_str()).trimmed() + QLatin1Char(' ') +
                                       QString::fromUtf8(row.unit.data(), static_cast<qsizetype>(row.unit.size())));
        const auto line = std::find_if(lines.begin(), lines.end(), [&](const QString& l) { return l.contains(what); });
        ASSERT_NE(line, lines.end()) << what.toStdString();
        EXPECT_TRUE(squeezed(*line).contains(shown.trimmed())) << line->toStdString() << " | " << shown.toStdString();
    }
    // The characteristics as their labels read, the Greek letter put in.
    for (const CharacteristicRow& row : characteristic_table()) {
        const QString letter = row.overlay.name.empty() ? QString() : lab.text(std::string(row.overlay.name).c_str());
        const QString label = letter + lab.text(std::string(row.label).c_str()).trimmed();
        EXPECT_TRUE(page.contains(squeezed(label))) << label.toStdString();
    }
    // The window's tables, row by row, and its words.
    const QAbstractItemModel& swings = *window.findChild<QTableView*>(QStringLiteral("SwingTable"))->model();
    ASSERT_GT(swings.rowCount(), 4);
    for (int row = 0; row < swings.rowCount(); ++row)
        EXPECT_TRUE(page.contains(row_text(swings, row))) << row_text(swings, row).toStdString();
    const QAbstractItemModel& summary = *window.findChild<QTableWidget*>(QStringLiteral("SwingSummary"))->model();
    ASSERT_EQ(summary.rowCount(), 7);
    for (int row = 0; row < summary.rowCount(); ++row)
        EXPECT_TRUE(page.contains(row_text(summary, row))) << row_text(summary, row).toStdString();
    // "≫", which the fonts lack, reads ">>".
    QString explanation = window.findChild<QLabel*>(QStringLiteral("AnalysisExplanation"))->text();
    for (const QString& words : explanation.replace(QStringLiteral("≫"), QStringLiteral(">>")).split('\n'))
        EXPECT_TRUE(page.contains(squeezed(words))) << words.toStdString();

    // Set in the fonts the laboratory installs, drawn as lines: each of the
    // 600 steps a line on each of the three graphs.
    ASSERT_FALSE(pdf.fonts.isEmpty());
    for (const QString& font : pdf.fonts)
        EXPECT_TRUE(font.startsWith(QStringLiteral("Liberation"))) << font.toStdString();
    EXPECT_EQ(pdf.images, 0);
    EXPECT_GT(pdf.line_segments, 3 * static_cast<qsizetype>(lab.form->lab().run_record.size()));
    EXPECT_LT(pdf.bytes.size(), 1 << 20);

    // The same report again: the same bytes. The name typed is kept for
    // the next, and a name given is the report's.
    lab.doubles.dialogs.answer = lab.folder.filePath(QStringLiteral("again.pdf"));
    button->click();
    EXPECT_EQ(read_pdf(lab.doubles.dialogs.answer).bytes, pdf.bytes);
    lab.doubles.dialogs.typed = QStringLiteral("  Иванова А. ");
    button->click();
    lab.doubles.dialogs.typed = std::nullopt;
    button->click();
    EXPECT_EQ(lab.doubles.dialogs.texts_offered.back(), QStringLiteral("Иванова А."));
    EXPECT_TRUE(
        squeezed(read_pdf(lab.doubles.dialogs.answer).text).contains(QStringLiteral("Выполнил(а): Иванова А.")));
    EXPECT_TRUE(lab.doubles.boxes.shown.empty());
}

TEST(Report, OfASeriesHoldsItsTableAndPlot)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("4"));
    lab.form->show_series();
    SeriesWindow& w = *lab.form->series_window();
    w.findChild<QSpinBox*>(QStringLiteral("SeriesCount"))->setValue(4);
    w.calculate();
    while (w.busy())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    auto* button = w.findChild<QPushButton*>(QStringLiteral("CmdSeriesReport"));
    ASSERT_NE(button, nullptr);
    lab.doubles.dialogs.answer = lab.folder.filePath(QStringLiteral("серия.pdf"));
    button->click();
    const Pdf pdf = read_pdf(lab.doubles.dialogs.answer);
    const QString page = squeezed(pdf.text);
    EXPECT_TRUE(page.contains(QStringLiteral("Изменяется величина «η (Па·с)», значения (4):")));
    const QAbstractItemModel& table = *w.findChild<QTableView*>(QStringLiteral("SeriesTable"))->model();
    ASSERT_EQ(table.rowCount(), 4);
    // A table this wide goes in parts, each beginning with the value.
    for (int row = 0; row < table.rowCount(); ++row) {
        const QString value = table.index(row, 0).data().toString();
        const QString first = squeezed(value + QLatin1Char(' ') + table.index(row, 1).data().toString());
        EXPECT_TRUE(page.contains(first)) << first.toStdString();
    }
    EXPECT_EQ(pdf.images, 0);
    EXPECT_GT(pdf.line_segments, 0);
    for (const QString& font : pdf.fonts)
        EXPECT_TRUE(font.startsWith(QStringLiteral("Liberation"))) << font.toStdString();
}

} // namespace
} // namespace vp::testing
