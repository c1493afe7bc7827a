// SPDX-License-Identifier: GPL-3.0-or-later
// md2pdf: turns one of the laboratory's Markdown documents into an A4 PDF.
//
//     md2pdf input.md output.pdf
//
// The text is laid out by QTextDocument (GitHub dialect: tables, lists,
// emphasis, code) in a serif face that has Cyrillic and Greek letters, on
// A4 pages with the document's title and the page number in the footer.
// Runs without a display: when QT_QPA_PLATFORM is not set, the offscreen
// platform is chosen. Exit status 0 on success; 1 when the input cannot be
// read, the output cannot be written or a character has no glyph in the
// document's fonts; 2 on wrong usage. Messages go to standard error.
//
// Only the fonts named below are drawn with, all of them from packages the
// build installs (fonts-liberation, fonts-dejavu-core): a character that
// they lack would come out as an empty box, or in whatever face the build
// machine happens to have, so the tool refuses it instead. With
// SOURCE_DATE_EPOCH set, the PDF's creation date is that time and two runs
// give the same bytes.

#include <QAbstractTextDocumentLayout>
#include <QBrush>
#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QHashSeed>
#include <QList>
#include <QMarginsF>
#include <QMessageLogContext>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPair>
#include <QPalette>
#include <QPdfWriter>
#include <QPen>
#include <QRawFont>
#include <QRectF>
#include <QSaveFile>
#include <QSet>
#include <QSizeF>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextFrameFormat>
#include <QTextLayout>
#include <QTextLength>
#include <QTextTable>
#include <QTextTableCell>
#include <QTextTableFormat>
#include <QTimeZone>

#include <cstdio>
#include <memory>

namespace {

// Page geometry, millimetres.
constexpr int resolution_dpi = 300;
constexpr double margin_left_mm = 22;
constexpr double margin_right_mm = 18;
constexpr double margin_top_mm = 18;
constexpr double margin_bottom_mm = 24; // the footer lives in here

// Type sizes, points.
constexpr double body_pt = 11.5;
constexpr double code_pt = 10;
constexpr double footer_pt = 9;

// Two kinds of length. The painter and the page size work in the PDF's
// device pixels; lengths inside text formats (margins, borders, padding)
// are logical pixels of 1/96 inch, which the text layout scales to the
// device itself.
constexpr double logical_dpi = 96;

double device_mm(double mm)
{
    return mm * resolution_dpi / 25.4;
}

double device_pt(double pt)
{
    return pt * resolution_dpi / 72.0;
}

double format_mm(double mm)
{
    return mm * logical_dpi / 25.4;
}

double format_pt(double pt)
{
    return pt * logical_dpi / 72.0;
}

void complain(const QString& message)
{
    const QByteArray text = (QStringLiteral("md2pdf: ") + message + QLatin1Char('\n')).toLocal8Bit();
    std::fputs(text.constData(), stderr);
}

// Liberation for the letters (Times New Roman's metric twin), DejaVu for
// the sub- and superscript digits, the arrows, the relations and the box
// drawing that Liberation lacks; DejaVu Sans for the few signs, such as
// U+2272, that DejaVu Serif lacks too.
const QStringList serif_families{
    QStringLiteral("Liberation Serif"),
    QStringLiteral("DejaVu Serif"),
    QStringLiteral("DejaVu Sans"),
};

const QStringList mono_families{
    QStringLiteral("Liberation Mono"),
    QStringLiteral("DejaVu Sans Mono"),
};

QFont serif_font(double point_size)
{
    QFont font;
    font.setFamilies(serif_families);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(point_size);
    return font;
}

// Tables: thin single black rules, no gaps between cells, a shaded header
// row that repeats when a table runs onto the next page.
void style_table(QTextTable* table)
{
    QTextTableFormat format = table->format();
    format.setBorder(1); // logical pixels; 1 is also the least that draws the inner grid
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderBrush(QBrush(Qt::black));
    format.setBorderCollapse(true);
    format.setCellSpacing(0);
    format.setCellPadding(format_mm(1.0));
    format.setHeaderRowCount(1);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    format.setTopMargin(format_mm(1.5));
    format.setBottomMargin(format_mm(2.5));
    table->setFormat(format);

    for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(0, column);
        QTextCharFormat cell_format = cell.format();
        cell_format.setBackground(QColor(228, 228, 228));
        cell.setFormat(cell_format);

        QTextCursor cursor = cell.firstCursorPosition();
        cursor.setPosition(cell.lastCursorPosition().position(), QTextCursor::KeepAnchor);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.mergeCharFormat(bold);
    }
}

void style_frames(QTextFrame* frame)
{
    const QList<QTextFrame*> children = frame->childFrames();
    for (QTextFrame* child : children) {
        if (auto* table = qobject_cast<QTextTable*>(child))
            style_table(table);
        style_frames(child);
    }
}

bool is_code_block(const QTextBlock& block)
{
    const QTextBlockFormat format = block.blockFormat();
    return format.hasProperty(QTextFormat::BlockCodeFence) || format.hasProperty(QTextFormat::BlockCodeLanguage) ||
           format.nonBreakableLines();
}

// Code spans and code blocks in a monospaced face with Cyrillic letters;
// headings with air above them; paragraphs spaced evenly.
void style_blocks(QTextDocument& document)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat block_format = block.blockFormat();
        const int heading = block_format.headingLevel();
        const bool code = is_code_block(block);

        if (heading > 0) {
            block_format.setTopMargin(format_pt(heading == 1 ? 4 : 12));
            block_format.setBottomMargin(format_pt(heading == 1 ? 10 : 5));
            if (heading == 1)
                block_format.setAlignment(Qt::AlignHCenter);
        } else if (code) {
            // A code block is one block per line: air above the first
            // line and below the last one only.
            block_format.setLeftMargin(format_mm(6));
            const QTextBlock previous = block.previous();
            const QTextBlock next = block.next();
            block_format.setTopMargin(previous.isValid() && is_code_block(previous) ? 0 : format_pt(2));
            block_format.setBottomMargin(next.isValid() && is_code_block(next) ? 0 : format_pt(8));
            block_format.setBackground(QColor(244, 244, 244));
        } else if (block_format.hasProperty(QTextFormat::BlockQuoteLevel)) {
            // Our documents set their formulas apart as quotations.
            block_format.setLeftMargin(format_mm(10));
            block_format.setTopMargin(format_pt(1));
            block_format.setBottomMargin(format_pt(6));
        } else if (cursor.currentTable() != nullptr) {
            block_format.setTopMargin(0);
            block_format.setBottomMargin(0);
        } else if (block.textList() == nullptr && !block.text().isEmpty()) {
            block_format.setBottomMargin(format_pt(5));
            block_format.setLineHeight(112, QTextBlockFormat::ProportionalHeight);
        }
        cursor.setBlockFormat(block_format);

        // The ranges are gathered first: changing a format may split or
        // join the fragments being walked.
        QList<QPair<int, int>> spans;
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.isValid() && (code || fragment.charFormat().fontFixedPitch()))
                spans.append({fragment.position(), fragment.position() + fragment.length()});
        }
        for (const auto& [from, to] : spans) {
            QTextCursor span(&document);
            span.setPosition(from);
            span.setPosition(to, QTextCursor::KeepAnchor);
            QTextCharFormat mono;
            mono.setFontFamilies(mono_families);
            mono.setFontFixedPitch(true);
            mono.setFontPointSize(code_pt);
            span.mergeCharFormat(mono);
        }
    }
}

// A table under a heading keeps at least so many rows after its header on
// the heading's page, or goes on to the next page with the heading.
constexpr int rows_kept_together = 3;

// The number of the first heading, not yet in `moved`, that is left alone
// at the foot of a page while what it introduces begins on the next one, or
// whose table breaks after fewer than rows_kept_together rows; -1 when there
// is none.
int lonely_heading(const QTextDocument& document, double page_height, const QSet<int>& moved)
{
    QAbstractTextDocumentLayout* layout = document.documentLayout();
    // Where the block's first line is: a block that does not fit keeps its
    // place and has its lines moved on to the next page.
    const auto page_of = [&](const QTextBlock& block) {
        double top = layout->blockBoundingRect(block).top();
        if (block.layout() != nullptr && block.layout()->lineCount() > 0)
            top += block.layout()->lineAt(0).y();
        return static_cast<int>(top / page_height);
    };
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 0 || moved.contains(block.blockNumber()))
            continue;
        const QTextBlock following = block.next();
        if (following.isValid() && page_of(following) != page_of(block))
            return block.blockNumber();
        // A table right under the heading that breaks after a row or two:
        // the page would end in an empty stretch of its frame. The heading
        // and the table go on to the next page together.
        const QTextTable* table = following.isValid() ? QTextCursor(following).currentTable() : nullptr;
        if (table != nullptr && table->rows() > 1) {
            const int last_kept = std::min(table->rows() - 1, rows_kept_together);
            const auto page_of_row = [&](int row) {
                return page_of(table->cellAt(row, 0).firstCursorPosition().block());
            };
            if (page_of_row(1) != page_of_row(last_kept))
                return block.blockNumber();
        }
    }
    return -1;
}

// The text of the first level-one heading, for the footer and the PDF's
// title; the file name when there is none.
QString document_title(const QTextDocument& document, const QString& fallback)
{
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.blockFormat().headingLevel() == 1)
            return block.text().trimmed();
    }
    return fallback;
}

void draw_footer(QPainter& painter, const QSizeF& page, const QString& title, int number, int count)
{
    const double left = device_mm(margin_left_mm);
    const double right = page.width() - device_mm(margin_right_mm);
    const double rule_y = page.height() - device_mm(margin_bottom_mm) + device_mm(8);
    const QRectF text_box(left, rule_y + device_mm(1), right - left, device_mm(6));

    painter.save();
    painter.setPen(QPen(QColor(90, 90, 90), device_pt(0.4)));
    painter.drawLine(QPointF(left, rule_y), QPointF(right, rule_y));

    QFont font = serif_font(footer_pt);
    painter.setPen(QColor(60, 60, 60));
    font.setItalic(true);
    painter.setFont(font);
    const QString page_text = QStringLiteral("стр. %1 из %2").arg(number).arg(count);
    const double page_text_width = painter.fontMetrics().horizontalAdvance(page_text) + device_mm(6);
    const QRectF title_box(text_box.left(), text_box.top(), text_box.width() - page_text_width, text_box.height());
    const QString shown_title =
        painter.fontMetrics().elidedText(title, Qt::ElideRight, static_cast<int>(title_box.width()));
    painter.drawText(title_box, Qt::AlignLeft | Qt::AlignTop, shown_title);
    font.setItalic(false);
    painter.setFont(font);
    painter.drawText(text_box, Qt::AlignRight | Qt::AlignTop, page_text);
    painter.restore();
}

// Our families as the fonts they are on this machine: a family that is
// not installed resolves to some other face and is left out.
QList<QRawFont> our_fonts()
{
    QList<QRawFont> fonts;
    for (const QStringList* families : {&serif_families, &mono_families}) {
        for (const QString& family : *families) {
            QFont font(family);
            font.setStyleStrategy(QFont::NoFontMerging);
            const QRawFont raw = QRawFont::fromFont(font);
            if (raw.isValid() && raw.familyName() == family)
                fonts.append(raw);
        }
    }
    return fonts;
}

bool is_ours(const QString& family)
{
    return serif_families.contains(family) || mono_families.contains(family);
}

// What is wrong with the glyphs `runs` that set `text`, one line per fault: glyph 0
// is the empty box drawn for a character no font has, and a face of some
// other family is one the build machine happened to have.
QStringList glyph_faults(const QList<QGlyphRun>& runs, const QString& text, const QList<QRawFont>& fonts)
{
    bool faulty = false;
    QString foreign;
    for (const QGlyphRun& run : runs) {
        const QString family = run.rawFont().familyName();
        if (!is_ours(family))
            foreign = family;
        if (!is_ours(family) || run.glyphIndexes().contains(0))
            faulty = true;
    }
    if (!faulty)
        return {};

    QStringList faults;
    QSet<char32_t> named;
    for (const char32_t code : text.toUcs4()) {
        if (code < 0x20 || named.contains(code))
            continue;
        bool covered = false;
        for (const QRawFont& font : fonts)
            covered = covered || font.supportsCharacter(code);
        if (!covered) {
            named.insert(code);
            faults.append(QStringLiteral("no glyph for U+%1 (%2) in \"%3\"")
                              .arg(QString::number(code, 16).toUpper().rightJustified(4, QLatin1Char('0')),
                                   QString::fromUcs4(&code, 1), text.left(60)));
        }
    }
    if (faults.isEmpty())
        faults.append(QStringLiteral("\"%1\" is drawn %2")
                          .arg(text.left(60), foreign.isEmpty() ? QStringLiteral("with an empty box")
                                                                : QStringLiteral("in ") + foreign));
    return faults;
}

// Every block of the laid-out document, and the title as the footer sets it.
// The runs of a block are taken fragment by fragment: those of the block's
// whole layout come out empty once the document has been laid out.
QStringList glyph_faults(const QTextDocument& document, const QString& title, QPaintDevice* device)
{
    const QList<QRawFont> fonts = our_fonts();
    QStringList faults;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QList<QGlyphRun> runs;
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs += it.fragment().glyphRuns();
        faults += glyph_faults(runs, block.text(), fonts);
    }
    QFont footer = serif_font(footer_pt);
    footer.setItalic(true);
    QTextLayout title_layout(title, footer, device);
    title_layout.beginLayout();
    title_layout.createLine();
    title_layout.endLayout();
    faults += glyph_faults(title_layout.glyphRuns(), title, fonts);
    faults.removeDuplicates();
    return faults;
}

// The creation date Qt writes is the time of the run; with SOURCE_DATE_EPOCH
// set it becomes that time instead, written in the form Qt chose (UTC "Z"
// or an offset "+HH'mm'"), so the length and every offset after it stay.
bool set_creation_date(QByteArray& pdf, qint64 epoch)
{
    const QByteArray key = "/CreationDate (D:";
    const qsizetype from = pdf.indexOf(key);
    const qsizetype to = from < 0 ? -1 : pdf.indexOf(')', from);
    if (to < 0)
        return false;
    const qsizetype start = from + key.size();
    const QByteArray written = pdf.mid(start, to - start);
    const QByteArray time =
        QDateTime::fromSecsSinceEpoch(epoch, QTimeZone::utc()).toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1();
    const QByteArray date = time + (written.endsWith('Z') ? QByteArray("Z") : QByteArray("+00'00'"));
    if (date.size() != written.size())
        return false;
    pdf.replace(start, date.size(), date);
    return true;
}

// Qt's own messages go to standard error as usual, except the notice that
// the offscreen platform has no runtime folder, which says nothing about
// the document.
QtMessageHandler standard_handler = nullptr;

void filter_messages(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (standard_handler != nullptr)
        standard_handler(type, context, message);
    else
        complain(message);
}

// The document on A4 sheets of `page` device pixels: one document page is
// one sheet, and the root frame's margins, which the layout applies on every
// page, keep the text clear of the footer. The headings numbered in
// `page_breaks` begin a new page.
std::unique_ptr<QTextDocument> lay_out(const QString& markdown, QPdfWriter& writer, const QSizeF& page,
                                       const QSet<int>& page_breaks)
{
    auto document = std::make_unique<QTextDocument>();
    document->documentLayout()->setPaintDevice(&writer);
    document->setDefaultFont(serif_font(body_pt));
    document->setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
    style_frames(document->rootFrame());
    style_blocks(*document);
    for (const int number : page_breaks) {
        const QTextBlock block = document->findBlockByNumber(number);
        QTextBlockFormat format = block.blockFormat();
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
    }

    QTextFrameFormat root = document->rootFrame()->frameFormat();
    root.setLeftMargin(format_mm(margin_left_mm));
    root.setRightMargin(format_mm(margin_right_mm));
    root.setTopMargin(format_mm(margin_top_mm));
    root.setBottomMargin(format_mm(margin_bottom_mm));
    document->rootFrame()->setFrameFormat(root);
    document->setPageSize(page);
    return document;
}

int convert(const QString& input_path, const QString& output_path)
{
    const QFileInfo input_info(input_path);
    if (!input_info.exists()) {
        complain(QStringLiteral("cannot read %1: no such file").arg(input_path));
        return 1;
    }
    if (!input_info.isFile()) {
        complain(QStringLiteral("cannot read %1: not a regular file").arg(input_path));
        return 1;
    }
    QFile input(input_path);
    if (!input.open(QIODevice::ReadOnly)) {
        complain(QStringLiteral("cannot read %1: %2").arg(input_path, input.errorString()));
        return 1;
    }
    const QByteArray bytes = input.readAll();
    if (input.error() != QFileDevice::NoError) {
        complain(QStringLiteral("cannot read %1: %2").arg(input_path, input.errorString()));
        return 1;
    }
    input.close();
    QString markdown = QString::fromUtf8(bytes);
    if (markdown.startsWith(QChar(0xFEFF)))
        markdown.remove(0, 1);

    qint64 epoch = -1;
    if (qEnvironmentVariableIsSet("SOURCE_DATE_EPOCH")) {
        bool number = false;
        epoch = qEnvironmentVariable("SOURCE_DATE_EPOCH").toLongLong(&number);
        if (!number || epoch < 0) {
            complain(QStringLiteral("SOURCE_DATE_EPOCH is not a number of seconds: %1")
                         .arg(qEnvironmentVariable("SOURCE_DATE_EPOCH")));
            return 1;
        }
    }

    // The PDF is made in memory and goes to a temporary file that replaces
    // the output only when everything has been written.
    QSaveFile output(output_path);
    if (!output.open(QIODevice::WriteOnly)) {
        complain(QStringLiteral("cannot write %1: %2").arg(output_path, output.errorString()));
        return 1;
    }

    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    QPdfWriter writer(&pdf);
    writer.setResolution(resolution_dpi);
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("md2pdf"));

    // A heading left alone at the foot of a page is moved to the next one.
    // Changing a format after the layout has run leaves the text layout
    // behind, so every move lays the document out afresh.
    const QSizeF page = writer.pageLayout().fullRectPixels(resolution_dpi).size();
    QSet<int> moved;
    std::unique_ptr<QTextDocument> laid_out = lay_out(markdown, writer, page, moved);
    for (int heading = lonely_heading(*laid_out, page.height(), moved); heading >= 0 && moved.size() < 100;
         heading = lonely_heading(*laid_out, page.height(), moved)) {
        moved.insert(heading);
        laid_out = lay_out(markdown, writer, page, moved);
    }
    QTextDocument& document = *laid_out;

    const QString title = document_title(document, input_info.completeBaseName());
    writer.setTitle(title);
    const QStringList faults = glyph_faults(document, title, &writer);
    if (!faults.isEmpty()) {
        output.cancelWriting();
        for (const QString& fault : faults)
            complain(QStringLiteral("%1: %2").arg(input_path, fault));
        return 1;
    }

    const int pages = document.pageCount();
    QPainter painter;
    if (!painter.begin(&writer)) {
        output.cancelWriting();
        complain(QStringLiteral("cannot write %1: the PDF could not be started").arg(output_path));
        return 1;
    }
    QAbstractTextDocumentLayout::PaintContext context;
    context.palette.setColor(QPalette::Text, Qt::black);
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        const QRectF view(0, index * page.height(), page.width(), page.height());
        painter.save();
        painter.translate(0, -view.top());
        painter.setClipRect(view);
        context.clip = view;
        document.documentLayout()->draw(&painter, context);
        painter.restore();
        draw_footer(painter, page, title, index + 1, pages);
    }
    painter.end();

    QByteArray bytes_out = pdf.data();
    if (epoch >= 0 && !set_creation_date(bytes_out, epoch)) {
        output.cancelWriting();
        complain(QStringLiteral("cannot write %1: no creation date to set to SOURCE_DATE_EPOCH").arg(output_path));
        return 1;
    }
    if (output.write(bytes_out) != bytes_out.size() || !output.commit()) {
        complain(QStringLiteral("cannot write %1: %2").arg(output_path, output.errorString()));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    // Headless by default: a documentation build has no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    standard_handler = qInstallMessageHandler(filter_messages);
    // The fonts are written in the order of a hash: the same order every run.
    QHashSeed::setDeterministicGlobalSeed();
    // Text-format lengths are then 1/96 inch whatever screen there is.
    QCoreApplication::setAttribute(Qt::AA_Use96Dpi);

    QGuiApplication application(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() != 3) {
        complain(QStringLiteral("usage: md2pdf input.md output.pdf"));
        return 2;
    }
    return convert(arguments.at(1), arguments.at(2));
}
