// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace vp {

// A framed one-line label whose text a run changes up to sixty times a
// second. It looks exactly as a framed QLabel with the same text but costs a
// fraction of its paint: a new text repaints only the inside, as the frame
// stays, and the text is not laid out and shaped anew at every change. Each
// character's glyph and advance, and the kerning of each pair of characters
// as Qt's shaper gives it, are looked up once per font and kept. A text that
// cannot be placed so (a character the font lacks, a ligature, a letter
// written right to left), a font in points, another alignment or a disabled
// label are painted by QLabel itself.
//
// No Q_OBJECT: to tools and tests it is the QLabel it shows.
class ReadoutLabel : public QLabel {
public:
    // Plain text: a value's text is never markup.
    explicit ReadoutLabel(const QString& text, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    struct FontShapes;

    // Where QLabel puts the text: inside the frame and the margin, indented
    // by half an "x" from a frame.
    QRect text_rect() const;

    // The shapes of the label's font, shared by every label with that font.
    FontShapes* shapes_ = nullptr;
};

} // namespace vp
