// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/readout_label.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPaintEvent>
#include <QPainter>
#include <QRawFont>
#include <QTextLayout>

#include <map>
#include <optional>

namespace vp {

// What a font's texts are made of, learnt as texts come. The readouts share
// one font, and a run's digits soon make every pair there is.
struct ReadoutLabel::FontShapes {
    struct Glyph {
        quint32 index = 0;
        // Logical pixels from this glyph's origin to the next one's, before
        // kerning.
        qreal advance = 0;
    };

    QFont font;
    QRawFont raw;
    QHash<char16_t, std::optional<Glyph>> glyphs;
    // Logical pixels added to the advance between two characters, keyed by
    // both.
    QHash<quint32, qreal> kerning;

    static FontShapes& of(const QFont& font);
    // The text's glyphs with the pen starting at origin, on the baseline, or
    // nothing when they cannot be placed as Qt's shaper would.
    std::optional<QGlyphRun> glyphs_of(const QString& text, QPointF origin);

private:
    std::optional<Glyph> glyph(QChar c);
    // Takes the kerning of every pair of the text from Qt's shaper; false
    // when the shaper makes other glyphs of it than the character map does.
    bool learn_kerning(const QString& text, const QList<quint32>& indexes, const QList<qreal>& advances);
};

namespace {

// Texts of any kind could grow the table without end; a readout's few
// characters make a few hundred pairs.
constexpr qsizetype max_pairs = 1 << 16;

quint32 pair_key(QChar a, QChar b)
{
    return quint32(a.unicode()) << 16 | b.unicode();
}

} // namespace

ReadoutLabel::FontShapes& ReadoutLabel::FontShapes::of(const QFont& font)
{
    // Nodes stay where they are as fonts are added: labels keep pointers to
    // theirs. A raw font must not outlive the application's font engines:
    // the table is emptied with the application.
    static std::map<QString, FontShapes> fonts;
    if (fonts.empty())
        qAddPostRoutine([] { fonts.clear(); });
    const auto [at, added] = fonts.try_emplace(font.key());
    if (added) {
        at->second.font = font;
        at->second.raw = QRawFont::fromFont(font);
    }
    return at->second;
}

std::optional<ReadoutLabel::FontShapes::Glyph> ReadoutLabel::FontShapes::glyph(QChar c)
{
    const auto known = glyphs.constFind(c.unicode());
    if (known != glyphs.cend())
        return *known;
    std::optional<Glyph> g;
    // Only characters that stay in their order, left to right, in a line
    // that starts left to right; surrogates and marks are left to the
    // shaper, as right-to-left letters and the controls of direction.
    const QChar::Direction d = c.direction();
    const bool in_order = d == QChar::DirL || d == QChar::DirEN || d == QChar::DirES || d == QChar::DirET ||
                          d == QChar::DirCS || d == QChar::DirWS || d == QChar::DirON;
    if (raw.isValid() && in_order && !c.isSurrogate() && !c.isMark()) {
        const QList<quint32> index = raw.glyphIndexesForString(QString(c));
        if (index.size() == 1 && index[0] != 0)
            g = Glyph{index[0], raw.advancesForGlyphIndexes(index).value(0).x()};
    }
    glyphs.insert(c.unicode(), g);
    return g;
}

bool ReadoutLabel::FontShapes::learn_kerning(const QString& text, const QList<quint32>& indexes,
                                             const QList<qreal>& advances)
{
    QTextLayout layout(text, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QList<QGlyphRun> runs = layout.glyphRuns();
    if (runs.size() != 1 || runs[0].glyphIndexes() != indexes)
        return false;
    if (kerning.size() > max_pairs)
        kerning.clear();
    const QList<QPointF> shaped = runs[0].positions();
    for (qsizetype i = 0; i + 1 < text.size(); ++i)
        kerning.insert(pair_key(text[i], text[i + 1]), shaped[i + 1].x() - shaped[i].x() - advances[i]);
    return true;
}

std::optional<QGlyphRun> ReadoutLabel::FontShapes::glyphs_of(const QString& text, QPointF origin)
{
    QList<quint32> indexes;
    QList<qreal> advances;
    indexes.reserve(text.size());
    advances.reserve(text.size());
    for (const QChar c : text) {
        const std::optional<Glyph> g = glyph(c);
        if (!g)
            return std::nullopt;
        indexes.append(g->index);
        advances.append(g->advance);
    }
    QList<QPointF> positions;
    positions.reserve(text.size());
    QPointF pen = origin;
    for (qsizetype i = 0; i < text.size(); ++i) {
        positions.append(pen);
        pen.rx() += advances[i];
        if (i + 1 == text.size())
            break;
        const quint32 pair = pair_key(text[i], text[i + 1]);
        auto k = kerning.constFind(pair);
        if (k == kerning.cend()) {
            if (!learn_kerning(text, indexes, advances))
                return std::nullopt;
            k = kerning.constFind(pair);
        }
        pen.rx() += *k;
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    return run;
}

ReadoutLabel::ReadoutLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
    setTextFormat(Qt::PlainText);
}

void ReadoutLabel::paintEvent(QPaintEvent* event)
{
    const QRect r = text_rect();
    std::optional<QGlyphRun> run;
    // A font in points follows the screen's resolution, which a raw font
    // does not see.
    if (isEnabled() && textFormat() == Qt::PlainText && alignment() == (Qt::AlignLeft | Qt::AlignTop) &&
        font().pixelSize() > 0) {
        if (shapes_ == nullptr)
            shapes_ = &FontShapes::of(font());
        run = shapes_->glyphs_of(text(), QPointF(r.left(), r.top() + QFontMetricsF(font()).ascent()));
    }
    if (!run) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    // A new text repaints the inside only. On a scaled device (a pixel ratio
    // other than 1) the frame's one-pixel pen reaches into the inside, and is
    // redrawn.
    if (painter.deviceTransform().isScaling() || !contentsRect().contains(event->rect()))
        drawFrame(&painter);
    painter.setPen(QPen(palette().brush(foregroundRole()), 1));
    painter.setClipRect(r);
    painter.drawGlyphRun(QPointF(), *run);
}

void ReadoutLabel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        shapes_ = nullptr;
    QLabel::changeEvent(event);
}

QRect ReadoutLabel::text_rect() const
{
    QRect r = contentsRect().adjusted(margin(), margin(), -margin(), -margin());
    int m = indent();
    if (m < 0 && frameWidth() > 0)
        m = fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - margin();
    if (m > 0)
        r.setTopLeft(r.topLeft() + QPoint(m, m));
    return r;
}

} // namespace vp
