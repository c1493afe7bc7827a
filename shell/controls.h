// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/quantity_table.h"
#include "model/characteristics.h"
#include "shell/control_id.h"
#include "shell/readout_label.h"

#include <QLabel>
#include <QString>

#include <array>
#include <vector>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QWidget;

namespace vp {

class CanvasWidget;

// A label that answers a click (the parameter panel's heading loads the
// parameter file).
class ClickableLabel : public QLabel {
    Q_OBJECT
public:
    using QLabel::QLabel;
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

// Every control of the main window, created once. Each carries its name as
// objectName, so that the tests and tools find it by name.
struct Controls {
    // All of them, indexed by Ctl.
    std::array<QWidget*, control_count> widgets{};
    // The thirteen input boxes and the labels of their rows, indexed by
    // Quantity.
    std::array<QLineEdit*, quantity_count> boxes{};
    std::array<QLabel*, quantity_count> box_labels{};
    // The characteristics column, indexed by Characteristic.
    std::array<QLabel*, characteristic_count> characteristics{};

    ClickableLabel* Label10 = nullptr;
    QPushButton* CmdOK = nullptr;
    QCheckBox* Check_p = nullptr;
    QScrollBar* HScroll1 = nullptr;
    QScrollBar* HScroll2 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QScrollBar* VScroll3 = nullptr;
    QLabel* Label21 = nullptr;
    QLabel* Label32 = nullptr;
    // The current values a run writes.
    ReadoutLabel* Label29 = nullptr;
    ReadoutLabel* Label30 = nullptr;
    ReadoutLabel* Label31 = nullptr;
    ReadoutLabel* Label37 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    CanvasWidget* Picture1 = nullptr;
    CanvasWidget* Picture2 = nullptr;
    CanvasWidget* Picture3 = nullptr;
    CanvasWidget* Picture4 = nullptr;
    CanvasWidget* Picture14 = nullptr;

    QWidget* operator[](Ctl control) const { return widgets[static_cast<std::size_t>(control)]; }
    QLineEdit* box(Quantity q) const { return boxes[static_cast<std::size_t>(q)]; }
    // The five picture boxes.
    std::array<CanvasWidget*, 5> picture_widgets() const { return {Picture1, Picture2, Picture3, Picture4, Picture14}; }
};

// Creates every control on the client area, with its caption, tooltip,
// colours, border, font and alignment, its names for a screen reader and its
// place in the keyboard's order. Places nothing: that is the layout's.
Controls create_controls(QWidget* client);

// The controls of a group, in the order they are shown or hidden.
const std::vector<Ctl>& group_controls(Group group);

} // namespace vp
