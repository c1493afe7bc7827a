// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>
#include <QPointer>

namespace vp {

// A Greek letter laid over the left end of its label (ρ before "o (кг/м3)=",
// ω before "o = 2.894E+00 рад/c"). The letter is set larger than the label's
// text and its rectangle stands a few pixels higher; the letter is drawn on
// the label's own baseline wherever the rectangles stand, so that the two
// read as one line at every size and pixel ratio.
class GreekLetter : public QLabel {
    Q_OBJECT
public:
    GreekLetter(const QString& letter, const QLabel* label, QWidget* parent);

    // Where the label's text stands: its baseline in the parent's
    // coordinates, as the label lays out plain text aligned to the top.
    static int baseline_of(const QLabel& label);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPointer<const QLabel> label_;
};

} // namespace vp
