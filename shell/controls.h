// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QLabel>
#include <QString>

#include <array>

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

// Every control of the main window. Each carries its name as objectName, so
// that the layout, the tests and tools find it by name.
struct Controls {
    // The thirteen input boxes in the order of the parameter panel.
    static constexpr int box_count = 13;
    std::array<QLineEdit*, box_count> boxes{};

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
    QLabel* Label29 = nullptr;
    QLabel* Label30 = nullptr;
    QLabel* Label31 = nullptr;
    QLabel* Label37 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    CanvasWidget* Picture1 = nullptr;
    CanvasWidget* Picture2 = nullptr;
    CanvasWidget* Picture3 = nullptr;
    CanvasWidget* Picture4 = nullptr;
    CanvasWidget* Picture14 = nullptr;

    QHash<QString, QWidget*> by_name;

    QWidget* find(const QString& name) const { return by_name.value(name); }
    QLabel* label(const QString& name) const;
    QLineEdit* box(const QString& name) const;
};

// Creates every control on the client area, with its caption, tooltip,
// colours, border, font and alignment. Places nothing: that is the layout's.
Controls create_controls(QWidget* client);

} // namespace vp
