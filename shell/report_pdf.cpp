// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/report_pdf.h"

#include "platform/file_dialogs.h"
#include "shell/picture_export.h"
#include "shell/window_title.h"

#include <QAbstractAxis>
#include <QBuffer>
#include <QChart>
#include <QFontMetricsF>
#include <QGraphicsScene>
#include <QLegend>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <numeric>
#include <vector>

namespace vp {
namespace {

// A text as the report sets it: the few signs the laboratory writes that
// its fonts do not hold put in letters they do.
QString text_of(const std::string& s)
{
    static const std::pair<const char16_t*, const char*> missing[] = {
        {u"≫", ">>"},
        {u"₀", "0"},
        {u"₁", "1"},
        {u"₂", "2"},
    };
    QString text = QString::fromStdString(s);
    for (const auto& [sign, letters] : missing)
        text.replace(QString::fromUtf16(sign), QLatin1String(letters));
    return text;
}

// Points: the writer's resolution is the PDF's own unit.
constexpr int points_per_inch = 72;
constexpr double mm = points_per_inch / 25.4;
constexpr double margin_left = 20 * mm, margin_right = 15 * mm, margin_top = 15 * mm, margin_bottom = 18 * mm;

QFont font(const char* family, double points, bool bold = false, bool italic = false)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    // Kerning and hinting as the font has them, whatever the screen.
    f.setHintingPreference(QFont::PreferNoHinting);
    return f;
}

constexpr double body_size = 10.5, heading_size = 12, table_size = 8.5, smallest_table_size = 6.5;

// One page after another, with a cursor going down the text area.
class PageSetter {
public:
    PageSetter(QPdfWriter& writer, QPainter& painter, const ReportPictureDrawing& draw)
        : writer_(writer), painter_(painter), draw_(draw)
    {
        const QRectF page = writer.pageLayout().fullRectPoints();
        area_ = QRectF(margin_left, margin_top, page.width() - margin_left - margin_right,
                       page.height() - margin_top - margin_bottom);
        y_ = area_.top();
        footer();
    }

    void title(const ReportDocument& d)
    {
        painter_.setFont(font(report_sans, 16, true));
        text_block(text_of(d.title), Qt::AlignHCenter);
        painter_.setFont(font(report_serif, 12));
        text_block(text_of(d.work), Qt::AlignHCenter);
        y_ += 8;
        painter_.setFont(font(report_serif, body_size));
        for (const std::string& line : d.signature)
            text_block(text_of(line), Qt::AlignLeft);
        y_ += 4;
    }

    // A heading stays on the page of what follows it: a picture, the first
    // rows of a table or the first lines of a paragraph.
    void heading(const std::string& text, const ReportBlock* next)
    {
        double lead = 40;
        if (next != nullptr && next->kind == ReportBlock::Kind::pictures)
            lead = pictures_height(next->pictures);
        room(lead + 30);
        y_ += 6;
        painter_.setFont(font(report_sans, heading_size, true));
        text_block(text_of(text), Qt::AlignLeft);
        y_ += 2;
    }

    void paragraph(const std::string& text)
    {
        painter_.setFont(font(report_serif, body_size));
        text_block(text_of(text), Qt::AlignLeft | Qt::AlignJustify);
        y_ += 3;
    }

    void tables(const std::vector<ReportTable>& tables);
    void pictures(const std::vector<ReportPicture>& pictures);
    double pictures_height(const std::vector<ReportPicture>& pictures) const;
    double tallest_picture(const std::vector<ReportPicture>& pictures) const;

private:
    struct Columns {
        std::vector<std::size_t> index; // of the table's columns, the first repeated in each part
        std::vector<double> width;
    };

    void new_page()
    {
        writer_.newPage();
        ++page_;
        y_ = area_.top();
        footer();
    }
    void room(double height)
    {
        if (y_ + height > area_.bottom() && y_ > area_.top())
            new_page();
    }
    void footer()
    {
        painter_.setFont(font(report_serif, 9));
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(area_.left(), area_.bottom() + 4 * mm, area_.width(), 6 * mm), Qt::AlignHCenter,
                          QString::number(page_));
    }
    void text_block(const QString& text, Qt::Alignment alignment)
    {
        const int flags = static_cast<int>(alignment) | Qt::TextWordWrap;
        const QRectF needed = painter_.boundingRect(QRectF(area_.left(), 0, area_.width(), 1e6), flags, text);
        room(needed.height());
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(area_.left(), y_, area_.width(), needed.height()), flags, text);
        y_ += needed.height();
    }

    std::vector<double> natural_widths(const ReportTable& t, const QFont& plain, const QFont& bold) const;
    double row_height(const QFont& f) const { return QFontMetricsF(f).height() * 1.3; }
    void draw_row(const ReportTable& t, const Columns& c, double x, const std::vector<std::string>& cells, bool remark,
                  bool heading, const QFont& f, double height);

    QPdfWriter& writer_;
    QPainter& painter_;
    const ReportPictureDrawing& draw_;
    QRectF area_;
    double y_ = 0;
    int page_ = 1;
};

std::vector<double> PageSetter::natural_widths(const ReportTable& t, const QFont& plain, const QFont& bold) const
{
    const QFontMetricsF body(plain), heads(bold);
    const double padding = 2 * QFontMetricsF(plain).averageCharWidth();
    std::vector<double> w(t.headings.size(), 0);
    for (std::size_t i = 0; i < w.size(); ++i)
        w[i] = heads.horizontalAdvance(text_of(t.headings[i])) + padding;
    for (std::size_t r = 0; r < t.rows.size(); ++r) {
        if (r < t.remark.size() && t.remark[r])
            continue;
        for (std::size_t i = 0; i < w.size() && i < t.rows[r].size(); ++i)
            w[i] = std::max(w[i], body.horizontalAdvance(text_of(t.rows[r][i])) + padding);
    }
    return w;
}

void PageSetter::draw_row(const ReportTable& t, const Columns& c, double x, const std::vector<std::string>& cells,
                          bool remark, bool heading, const QFont& f, double height)
{
    const double total = std::accumulate(c.width.begin(), c.width.end(), 0.0);
    const double pad = QFontMetricsF(f).averageCharWidth();
    if (heading) {
        painter_.fillRect(QRectF(x, y_, total, height), QColor(0xe8, 0xe8, 0xe8));
        QFont b = f;
        b.setBold(true);
        painter_.setFont(b);
    } else {
        QFont i = f;
        i.setItalic(remark);
        painter_.setFont(i);
    }
    painter_.setPen(Qt::black);
    if (remark) {
        painter_.drawText(QRectF(x, y_, total, height), Qt::AlignCenter, cells.empty() ? QString() : text_of(cells[0]));
    } else {
        double left = x;
        for (std::size_t k = 0; k < c.index.size(); ++k) {
            const std::size_t i = c.index[k];
            const QString cell = i < cells.size() ? text_of(cells[i]) : QString();
            const bool right = !heading && i < t.numeric.size() && t.numeric[i];
            const Qt::Alignment a = (heading ? Qt::AlignHCenter
                                     : right ? Qt::AlignRight
                                             : Qt::AlignLeft) |
                                    Qt::AlignVCenter;
            painter_.drawText(QRectF(left + pad, y_, c.width[k] - 2 * pad, height), static_cast<int>(a), cell);
            left += c.width[k];
        }
    }
    painter_.setPen(QPen(heading ? Qt::black : QColor(0xb0, 0xb0, 0xb0), heading ? 0.6 : 0.3));
    painter_.drawLine(QPointF(x, y_ + height), QPointF(x + total, y_ + height));
    if (heading)
        painter_.drawLine(QPointF(x, y_), QPointF(x + total, y_));
}

void PageSetter::tables(const std::vector<ReportTable>& tables)
{
    if (tables.empty())
        return;
    constexpr double gap = 5 * mm;
    // The size that fits the tables side by side, down to the smallest.
    double size = table_size;
    std::vector<std::vector<double>> widths;
    for (;;) {
        widths.clear();
        double total = gap * static_cast<double>(tables.size() - 1);
        for (const ReportTable& t : tables) {
            widths.push_back(natural_widths(t, font(report_sans, size), font(report_sans, size, true)));
            total += std::accumulate(widths.back().begin(), widths.back().end(), 0.0);
        }
        if (total <= area_.width() || size <= smallest_table_size)
            break;
        size = std::max(smallest_table_size, size * area_.width() / total);
    }
    const QFont f = font(report_sans, size);
    const double height = row_height(f);

    // Each table in parts of columns that fit the width, its first column
    // in every part; side by side only tables of one part each.
    std::vector<std::vector<Columns>> parts;
    double side_by_side = gap * static_cast<double>(tables.size() - 1);
    for (std::size_t n = 0; n < tables.size(); ++n) {
        const std::vector<double>& w = widths[n];
        const auto split = [&](double most) {
            std::vector<Columns> p(1);
            for (std::size_t i = 0; i < w.size(); ++i) {
                const double used = std::accumulate(p.back().width.begin(), p.back().width.end(), 0.0);
                if (i > 0 && p.back().index.size() > 1 && used + w[i] > most)
                    p.push_back({{0}, {w[0]}});
                p.back().index.push_back(i);
                p.back().width.push_back(w[i]);
            }
            return p;
        };
        std::vector<Columns> p = split(area_.width());
        if (p.size() > 1) {
            // As many parts, of about the same width: no part of a column
            // or two left over at the end.
            const double total = std::accumulate(w.begin(), w.end(), 0.0);
            const double even = w[0] + (total - w[0]) / static_cast<double>(p.size()) + 1;
            for (double most = even; most < area_.width(); most += 0.05 * (area_.width() - even)) {
                std::vector<Columns> balanced = split(most);
                if (balanced.size() == p.size()) {
                    p = std::move(balanced);
                    break;
                }
            }
        }
        side_by_side += std::accumulate(w.begin(), w.end(), 0.0);
        parts.push_back(std::move(p));
    }
    const bool all_single = std::all_of(parts.begin(), parts.end(), [](const auto& p) { return p.size() == 1; });
    if (tables.size() > 1 && all_single && side_by_side <= area_.width()) {
        // Side by side: the widths share the text's width, the spare room
        // between the tables; they go to a new page together.
        std::size_t rows = 0;
        for (const ReportTable& t : tables)
            rows = std::max(rows, t.rows.size());
        room(height * static_cast<double>(rows + 1));
        const double spare = (area_.width() - side_by_side) / static_cast<double>(tables.size() - 1);
        const double top = y_;
        double x = area_.left();
        double bottom = top;
        for (std::size_t n = 0; n < tables.size(); ++n) {
            y_ = top;
            const Columns& c = parts[n][0];
            draw_row(tables[n], c, x, tables[n].headings, false, true, f, height);
            y_ += height;
            for (std::size_t r = 0; r < tables[n].rows.size(); ++r) {
                draw_row(tables[n], c, x, tables[n].rows[r], r < tables[n].remark.size() && tables[n].remark[r], false,
                         f, height);
                y_ += height;
            }
            bottom = std::max(bottom, y_);
            x += std::accumulate(c.width.begin(), c.width.end(), 0.0) + gap + spare;
        }
        y_ = bottom + 4;
        return;
    }
    for (std::size_t n = 0; n < tables.size(); ++n) {
        for (const Columns& c : parts[n]) {
            // At least the headings and two rows on a page.
            room(3 * height);
            draw_row(tables[n], c, area_.left(), tables[n].headings, false, true, f, height);
            y_ += height;
            for (std::size_t r = 0; r < tables[n].rows.size(); ++r) {
                if (y_ + height > area_.bottom()) {
                    new_page();
                    draw_row(tables[n], c, area_.left(), tables[n].headings, false, true, f, height);
                    y_ += height;
                }
                draw_row(tables[n], c, area_.left(), tables[n].rows[r],
                         r < tables[n].remark.size() && tables[n].remark[r], false, f, height);
                y_ += height;
            }
            y_ += 6;
        }
    }
}

double PageSetter::tallest_picture(const std::vector<ReportPicture>& pictures) const
{
    double tallest = 0;
    for (const ReportPicture& p : pictures)
        tallest = std::max(tallest, p.width_share * area_.width() * p.aspect);
    return tallest;
}

double PageSetter::pictures_height(const std::vector<ReportPicture>& pictures) const
{
    const QFont caption = font(report_serif, 9, false, true);
    double captions = 0;
    for (const ReportPicture& p : pictures) {
        const double w = p.width_share * area_.width();
        captions = std::max(
            captions, QFontMetricsF(caption)
                          .boundingRect(QRectF(0, 0, w, 1e6), Qt::TextWordWrap | Qt::AlignHCenter, text_of(p.caption))
                          .height());
    }
    return tallest_picture(pictures) + captions + 4;
}

void PageSetter::pictures(const std::vector<ReportPicture>& pictures)
{
    if (pictures.empty())
        return;
    constexpr double gap = 5 * mm;
    const QFont caption = font(report_serif, 9, false, true);
    double widths = gap * static_cast<double>(pictures.size() - 1);
    for (const ReportPicture& p : pictures)
        widths += p.width_share * area_.width();
    const double tallest = tallest_picture(pictures);
    const double height = pictures_height(pictures);
    room(height);
    double x = area_.left() + std::max(0.0, (area_.width() - widths) / 2);
    for (const ReportPicture& p : pictures) {
        const double w = p.width_share * area_.width();
        const QRectF rect(x, y_, w, w * p.aspect);
        painter_.save();
        painter_.setClipRect(rect);
        draw_(p.figure, painter_, rect);
        painter_.restore();
        painter_.setFont(caption);
        painter_.setPen(Qt::black);
        painter_.drawText(QRectF(x, y_ + tallest + 2, w, height - tallest - 4), Qt::TextWordWrap | Qt::AlignHCenter,
                          text_of(p.caption));
        x += w + gap;
    }
    y_ += height + 4;
}

// The same bytes for the same report: the writer dates the file by the
// clock ("/CreationDate (D:20261208065043...)"), and its fonts come in the
// order of a hash whose seed the program fixes (shell/main.cpp). The date is
// put right in place, at its own length, so that the offsets of the file's
// index stay true.
QByteArray fixed_date(QByteArray pdf, QDate day)
{
    static const QRegularExpression created(QStringLiteral("/CreationDate \\(D:(\\d{14})"));
    const QByteArray noon = day.toString(QStringLiteral("yyyyMMdd")).toLatin1() + "120000";
    const QRegularExpressionMatch found = created.match(QString::fromLatin1(pdf));
    // A day out of the four-digit years would shift the file: kept as written.
    if (found.hasMatch() && noon.size() == found.capturedLength(1))
        pdf.replace(found.capturedStart(1), found.capturedLength(1), noon);
    return pdf;
}

} // namespace

QByteArray report_pdf(const ReportDocument& document, const ReportPictureDrawing& draw, QDate day)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setCreator(QStringLiteral("viscous-pendulum"));
        writer.setTitle(text_of(document.title));
        writer.setPageLayout(
            QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        writer.setResolution(points_per_inch);
        QPainter painter(&writer);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        PageSetter pages(writer, painter, draw);
        pages.title(document);
        const std::vector<ReportBlock>& blocks = document.blocks;
        for (std::size_t i = 0; i < blocks.size(); ++i) {
            const ReportBlock& b = blocks[i];
            switch (b.kind) {
            case ReportBlock::Kind::heading:
                pages.heading(b.text, i + 1 < blocks.size() ? &blocks[i + 1] : nullptr);
                break;
            case ReportBlock::Kind::paragraph: pages.paragraph(b.text); break;
            case ReportBlock::Kind::tables: pages.tables(b.tables); break;
            case ReportBlock::Kind::pictures: pages.pictures(b.pictures); break;
            }
        }
    }
    buffer.close();
    return fixed_date(bytes, day);
}

void draw_chart(QChart& chart, QPainter& painter, const QRectF& rect, double width)
{
    QFont labels(QString::fromLatin1(report_sans));
    labels.setPixelSize(11);
    QFont titles = labels;
    titles.setPixelSize(12);
    titles.setBold(true);
    chart.setTitleFont(titles);
    chart.legend()->setFont(labels);
    for (QAbstractAxis* axis : chart.axes()) {
        axis->setLabelsFont(labels);
        axis->setTitleFont(labels);
    }
    chart.setDropShadowEnabled(false);
    chart.setBackgroundRoundness(0);
    chart.setAnimationOptions(QChart::NoAnimation);
    const QSizeF size(width, width * rect.height() / rect.width());
    QGraphicsScene scene;
    scene.addItem(&chart);
    chart.resize(size);
    scene.setSceneRect(QRectF(QPointF(0, 0), size));
    scene.render(&painter, rect, scene.sceneRect());
    scene.removeItem(&chart);
}

SaveOutcome save_report(FileDialogs& dialogs, QString& author, const QString& suggested_path,
                        const std::function<ReportDocument(const ReportHeading& heading)>& document,
                        const ReportPictureDrawing& draw, QDate day)
{
    const std::optional<QString> name =
        dialogs.ask_text(QStringLiteral("Отчёт (PDF)"),
                         QStringLiteral("Выполнил(а) (оставьте пустым, чтобы подписать от руки):"), author);
    if (!name)
        return {};
    author = name->trimmed();
    const QString path =
        dialogs.save_file_name(QStringLiteral("Отчёт (PDF)"), suggested_path, QStringLiteral("Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return {};
    ReportHeading heading;
    heading.year = day.year();
    heading.month = day.month();
    heading.day = day.day();
    heading.author = author.toStdString();
    heading.work = window_title::plain.toStdString();
    return write_bytes(path, report_pdf(document(heading), draw, day).toStdString());
}

} // namespace vp
