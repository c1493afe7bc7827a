// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/readout.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QString>

#include <functional>

class QAction;
class QMenu;
class QWidget;

namespace vp {

class CanvasWidget;
class RunRecord;

// What the items of a picture's context menu do; the main window gives them.
struct PictureCommands {
    std::function<void()> analyse;    // "Анализ колебаний…"
    std::function<void()> save_data;  // "Сохранить данные (CSV)…"
    std::function<void()> save_image; // "Сохранить изображение…"
    std::function<void()> copy_image; // "Копировать изображение"
    QAction* series = nullptr;        // "Серия опытов…", the program's action
};

// The tools of one picture: its context menu (right click) and the readout
// under the mouse, a thin crosshair and a small box in a corner with the
// point's values and the curve's (analysis/readout.h).
//
// The readout is drawn by a child widget over the picture, never into the
// picture's canvas: saving or copying the picture does not take it along,
// and the drawing under it is untouched. The child lets every mouse event
// through and is hidden while the mouse is away, so that it costs nothing
// then; there is no timer. While a run draws, the picture repaints at each
// step and the box follows the curve.
//
// Lives as long as the picture (it is the picture's child).
class PictureTools : public QObject {
    Q_OBJECT
public:
    PictureTools(CanvasWidget* picture, PictureKind kind, const RunRecord& run, PictureCommands commands);

    QMenu* menu() const { return menu_; }
    // The readout, for tests: the child widget and its text now (empty while hidden).
    QWidget* readout() const { return overlay_; }
    QString readout_text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class ReadoutOverlay;

    void show_overlay();

    CanvasWidget* picture_;
    PictureKind kind_;
    const RunRecord& run_;
    PictureCommands commands_;
    QMenu* menu_ = nullptr;
    QWidget* overlay_ = nullptr;
    QPointF mouse_;
    bool mouse_inside_ = false;
};

} // namespace vp
