// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/controls.h"

#include "platform/canvas_widget.h"
#include "platform/colours.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace vp {

void ClickableLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QLabel* Controls::label(const QString& name) const
{
    return qobject_cast<QLabel*>(find(name));
}

QLineEdit* Controls::box(const QString& name) const
{
    return qobject_cast<QLineEdit*>(find(name));
}

namespace {

QColor rgb(Rgb c)
{
    return QColor(c.red, c.green, c.blue);
}

// Sizes in pixels rather than points: the window is laid out in pixels, and
// a font that grew with the desktop's font DPI would overflow its cell.
// 12 pt, 11.25 pt and 14.25 pt at 96 dpi.
QFont serif(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}
constexpr int font_12pt = 16;
constexpr int font_11pt = 15;
constexpr int font_14pt = 19;

void paint_background(QWidget* w, const QColor& colour, QPalette::ColorRole role = QPalette::Window)
{
    QPalette palette = w->palette();
    palette.setColor(role, colour);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

template <typename T>
T* named(Controls& c, T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    c.by_name.insert(widget->objectName(), widget);
    return widget;
}

enum class Look { plain, cyan_box, white_box };

QLabel* make_label(Controls& c, QWidget* parent, const char* name, const char* caption, const char* tooltip,
                   Look look = Look::plain, int font_pixels = font_12pt)
{
    auto* label = named(c, new QLabel(QString::fromUtf8(caption), parent), name);
    label->setToolTip(QString::fromUtf8(tooltip));
    label->setFont(serif(font_pixels));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    switch (look) {
    case Look::plain: paint_background(label, rgb(colours::light_grey)); break;
    case Look::cyan_box:
        paint_background(label, rgb(colours::light_cyan));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
    case Look::white_box:
        paint_background(label, rgb(colours::white));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    }
    return label;
}

// A Greek letter laid over the left end of its label.
void make_overlay(Controls& c, QWidget* parent, const char* name, const char* letter, bool opaque)
{
    auto* label = named(c, new QLabel(QString::fromUtf8(letter), parent), name);
    label->setFont(serif(font_14pt));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (opaque)
        paint_background(label, rgb(colours::light_grey));
    else
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QScrollBar* make_scroll_bar(Controls& c, QWidget* parent, const char* name, Qt::Orientation orientation, int minimum,
                            int maximum, int value, int step)
{
    auto* bar = named(c, new QScrollBar(orientation, parent), name);
    bar->setRange(minimum, maximum);
    bar->setValue(value);
    bar->setSingleStep(step);
    bar->setPageStep(step);
    return bar;
}

Rgb to_rgb(const QColor& colour)
{
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

// Picture backgrounds: white for the plane and the first two graphs, the
// system's window colours for the energy graph and for the animation, which
// the copy of the plane covers in every frame anyway.
enum class PictureBackground { white, system_base, system_window };

CanvasWidget* make_picture(Controls& c, QWidget* parent, const char* name, const char* tooltip,
                           PictureBackground background)
{
    auto* picture = named(c, new CanvasWidget(parent), name);
    picture->setToolTip(QString::fromUtf8(tooltip));
    const QPalette palette = parent->palette();
    Canvas& canvas = picture->canvas();
    switch (background) {
    case PictureBackground::white: canvas.set_background(colours::white); break;
    case PictureBackground::system_base: canvas.set_background(to_rgb(palette.color(QPalette::Base))); break;
    case PictureBackground::system_window: canvas.set_background(to_rgb(palette.color(QPalette::Window))); break;
    }
    canvas.set_foreground(to_rgb(palette.color(QPalette::WindowText)));
    return picture;
}

} // namespace

Controls create_controls(QWidget* client)
{
    Controls c;
    paint_background(client, rgb(colours::light_grey));

    // The start button comes first in the tab order and holds the focus when
    // the window opens.
    c.CmdOK = named(c, new QPushButton(QStringLiteral("ПУСК"), client), "CmdOK");
    c.CmdOK->setToolTip(QStringLiteral("Запуск (остановка) установки"));
    c.CmdOK->setFont(serif(font_12pt, true));

    // Parameter panel.
    c.Label10 = named(c, new ClickableLabel(QStringLiteral("Параметры задачи"), client), "Label10");
    c.Label10->setToolTip(QStringLiteral("Параметры задачи"));
    c.Label10->setFont(serif(font_12pt, true));
    c.Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.Label10->setCursor(Qt::PointingHandCursor);
    paint_background(c.Label10, rgb(colours::light_grey));

    struct InputRow {
        const char* label;
        const char* caption;
        const char* box;
        const char* tooltip;
        const char* label_tooltip; // where the label's differs from the box's
        const char* overlay;
        const char* letter;
    };
    static constexpr InputRow rows[Controls::box_count] = {
        {"Label1", "m (кг) =", "Text1", "масса сферы", nullptr, nullptr, nullptr},
        {"Label4", "d2 (м) =", "Text4", "внешний диаметр сферы", nullptr, nullptr, nullptr},
        {"Label7", "d1 (м)=", "Text7", "внутренний диаметр сферы", nullptr, nullptr, nullptr},
        {"Label8", "с_сф=", "Text8", "коэффициент лобового сопротивления для сферы", nullptr, nullptr, nullptr},
        {"Label2", "L (м) =", "Text2", "длина стержня от оси вращения до нижней точки сферы", nullptr, nullptr,
         nullptr},
        {"Label6", "М (кг) =", "Text6", "масса стержня", nullptr, nullptr, nullptr},
        {"Label9", "D (м) =", "Text9", "диаметр стержня. В окне анимации не масштабируется",
         "диаметр стержня. В окне анимациине  не масштабируется", nullptr, nullptr},
        {"Label34", "с_ст=", "Text34", "коэффициент лобового сопротивления для стержня", nullptr, nullptr, nullptr},
        {"Label3", "   o (кг/м3)=", "Text3", "плотность среды", nullptr, "Label3_2", "ρ"},
        {"Label5", "    (Па·с) = ", "Text5", "коэффициент динамической вязкости среды", nullptr, "Label5_2", "η"},
        {"Label18", "   o (°)=", "Text18", "начальный угол отклонения", nullptr, "Label18_2", "φ"},
        {"Label19", "    zo(рад/с)=", "Text19", "начальная угловая скорость", nullptr, "Label19_2", "ω"},
        {"Label20", "Т (с) =", "Text20", "время расчета", nullptr, nullptr, nullptr},
    };
    for (int i = 0; i < Controls::box_count; ++i) {
        const InputRow& r = rows[i];
        make_label(c, client, r.label, r.caption, r.label_tooltip ? r.label_tooltip : r.tooltip);
        auto* box = named(c, new QLineEdit(client), r.box);
        box->setToolTip(QString::fromUtf8(r.tooltip));
        box->setFont(serif(font_12pt));
        paint_background(box, rgb(colours::light_yellow), QPalette::Base);
        c.boxes[static_cast<std::size_t>(i)] = box;
        if (r.overlay)
            make_overlay(c, client, r.overlay, r.letter, true);
    }

    // Characteristics column; the captions come from the computation.
    auto* label11 =
        make_label(c, client, "Label11", "Характеристики", "Характеристики движения", Look::plain, font_11pt);
    label11->setFont(serif(font_11pt, true));
    label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    struct CharacteristicRow {
        const char* label;
        const char* tooltip;
        const char* overlay;
        const char* letter;
    };
    static constexpr CharacteristicRow characteristics[] = {
        {"Label12", "средняя плотность сферы, как шара", "Label12_2", "ρ"},
        {"Label33", "средняя плотность материала сферы", "Label33_2", "ρ"},
        {"Label13", "масса среды в объёме шар+стержень", nullptr, nullptr},
        {"Label14", "средняя плотность стержня", "Label14_2", "ρ"},
        {"Label15", "момент инерции системы сфера-стержень", nullptr, nullptr},
        {"Label16", "декремент затухания при с=0", "Label16_2", "δ"},
        {"Label17", "циклическая частота гармонических колебаний", "Label17_2", "ω"},
        {"Label22", "циклическая частота собственных колебаний при с=0", "Label22_2", "ω"},
        {"Label23", "период гармонических колебаний", nullptr, nullptr},
        {"Label24", "период собственных колебаний при с=0", nullptr, nullptr},
        {"Label25", "коэффициент вязкости для критического режима (при с=0)", "Label25_2", "η"},
        {"Label26", "параметр fi_2", "Label26_2", "φ"},
        {"Label27", "логарифмический декремент затухания", "Label27_2", "Θ"},
        {"Label28", "добротность", nullptr, nullptr},
        {"Label35", "Положение центра масс", nullptr, nullptr},
        {"Label36", "Параметр равновесия сил тяжести и Архимеда", nullptr, nullptr},
    };
    for (const auto& r : characteristics) {
        make_label(c, client, r.label, r.label, r.tooltip, Look::cyan_box);
        if (r.overlay)
            make_overlay(c, client, r.overlay, r.letter, false);
    }

    // Current values, written by a run.
    c.Label29 = make_label(c, client, "Label29", "текущее время", "текущее время", Look::cyan_box);
    c.Label30 = make_label(c, client, "Label30", "текущий угол", "текущий угол", Look::cyan_box);
    c.Label31 = make_label(c, client, "Label31", "текущая угловая скорос.", "текущая угловая скорость", Look::cyan_box);
    c.Label37 = make_label(c, client, "Label37", "текущая полная энергия", "Текущая полная энергия", Look::cyan_box);

    // Run controls.
    c.HScroll1 = make_scroll_bar(c, client, "HScroll1", Qt::Horizontal, 1, 9, 1, 1);
    c.Label21 = make_label(c, client, "Label21", "label21", "Замедление времени", Look::white_box);
    c.HScroll2 = make_scroll_bar(c, client, "HScroll2", Qt::Horizontal, 50, 500, 100, 50);
    c.Label32 = make_label(c, client, "Label32", "Label32",
                           "Число точек интегрирования на  периоде гармонических колебаний", Look::white_box);

    c.Frame1 = named(c, new QGroupBox(QStringLiteral("Графики"), client), "Frame1");
    c.Frame1->setToolTip(QStringLiteral("Выбор показа графика"));
    c.Frame1->setFont(serif(font_11pt));
    c.Option1 = named(c, new QRadioButton(QStringLiteral("анимация"), c.Frame1), "Option1");
    c.Option1->setToolTip(QStringLiteral("Анимация движения (траектория)"));
    c.Option1->setFont(serif(font_11pt));
    c.Option1->setGeometry(3, 17, 81, 20);
    c.Option1->setChecked(true);
    c.Option2 = named(c, new QRadioButton(QStringLiteral("fi(t), wz, W"), c.Frame1), "Option2");
    c.Option2->setToolTip(QStringLiteral("Зависимости угла, угловой скорости, энергии от времени"));
    c.Option2->setFont(serif(font_11pt));
    c.Option2->setGeometry(3, 37, 88, 20);

    c.Check_p = named(c, new QCheckBox(QStringLiteral("файл"), client), "Check_p");
    c.Check_p->setToolTip(QStringLiteral("вывод результатов на печать"));
    c.Check_p->setFont(serif(font_12pt));

    // Drawing area. Picture2 lies over Picture1 and shows frames composed
    // from the plane drawn on Picture1.
    c.Picture1 = make_picture(c, client, "Picture1", "Плоскость Y-X график", PictureBackground::white);
    c.Picture2 = make_picture(c, client, "Picture2", "Анимация движения", PictureBackground::system_window);
    c.VScroll1 = make_scroll_bar(c, client, "VScroll1", Qt::Vertical, -10, 10, 1, 1);
    c.Picture3 =
        make_picture(c, client, "Picture3", "Зависимость угла от времени. Слева - масштаб", PictureBackground::white);
    c.VScroll2 = make_scroll_bar(c, client, "VScroll2", Qt::Vertical, -10, 10, 1, 1);
    c.Picture4 = make_picture(c, client, "Picture4", "Зависимость угловой скорости от времени. Слева - масштаб",
                              PictureBackground::white);
    c.VScroll3 = make_scroll_bar(c, client, "VScroll3", Qt::Vertical, -10, 10, 0, 1);
    c.Picture14 = make_picture(c, client, "Picture14", "Зависимость полной энергии от времени. Слева - масштаб",
                               PictureBackground::system_base);

    // Overlays above the labels they mark.
    for (auto it = c.by_name.cbegin(); it != c.by_name.cend(); ++it) {
        if (it.key().endsWith(QLatin1String("_2")))
            it.value()->raise();
    }
    return c;
}

} // namespace vp
