// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/controls.h"

#include "platform/canvas_widget.h"
#include "platform/colours.h"
#include "platform/qcolor.h"
#include "shell/greek_letter.h"
#include "shell/readout_label.h"

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

QWidget* Controls::find(const QString& name) const
{
    return (*this)[control_named(name.toStdString())];
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
T* named(Controls& c, T* widget, Ctl control)
{
    const std::string_view name = control_name(control);
    widget->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
    c.widgets[static_cast<std::size_t>(control)] = widget;
    return widget;
}

enum class Look { plain, cyan_box, white_box };

template <typename Label = QLabel>
Label* make_label(Controls& c, QWidget* parent, Ctl name, const QString& caption, const char* tooltip,
                  Look look = Look::plain, int font_pixels = font_12pt)
{
    auto* label = named(c, new Label(caption, parent), name);
    label->setToolTip(QString::fromUtf8(tooltip));
    label->setFont(serif(font_pixels));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    switch (look) {
    case Look::plain: paint_background(label, to_qcolor(colours::light_grey)); break;
    case Look::cyan_box:
        paint_background(label, to_qcolor(colours::light_cyan));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        break;
    case Look::white_box:
        paint_background(label, to_qcolor(colours::white));
        label->setFrameStyle(QFrame::Box | QFrame::Plain);
        label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        break;
    }
    return label;
}

// A Greek letter laid over the left end of its label.
void make_overlay(Controls& c, QWidget* parent, Ctl name, const char* letter, const QLabel* over, bool opaque)
{
    auto* label = named(c, new GreekLetter(QString::fromUtf8(letter), over, parent), name);
    label->setFont(serif(font_14pt));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    if (opaque)
        paint_background(label, to_qcolor(colours::light_grey));
    else
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

QScrollBar* make_scroll_bar(Controls& c, QWidget* parent, Ctl name, Qt::Orientation orientation, int minimum,
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

CanvasWidget* make_picture(Controls& c, QWidget* parent, Ctl name, const char* tooltip, PictureBackground background)
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
    paint_background(client, to_qcolor(colours::light_grey));

    // The start button comes first in the tab order and holds the focus when
    // the window opens.
    c.CmdOK = named(c, new QPushButton(QStringLiteral("ПУСК"), client), Ctl::CmdOK);
    c.CmdOK->setToolTip(QStringLiteral("Запуск (остановка) установки"));
    c.CmdOK->setFont(serif(font_12pt, true));

    // Parameter panel.
    c.Label10 = named(c, new ClickableLabel(QStringLiteral("Параметры задачи"), client), Ctl::Label10);
    c.Label10->setToolTip(QStringLiteral("Параметры задачи"));
    c.Label10->setFont(serif(font_12pt, true));
    c.Label10->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    c.Label10->setCursor(Qt::PointingHandCursor);
    paint_background(c.Label10, to_qcolor(colours::light_grey));

    // The captions of the labels are the box table's.
    struct InputRow {
        Ctl label;
        Ctl box;
        const char* tooltip;
        const char* label_tooltip; // where the label's differs from the box's
        Ctl overlay;
        const char* letter; // nullptr: no Greek letter over the label
    };
    static constexpr InputRow rows[box_count] = {
        {Ctl::Label1, Ctl::Text1, "масса сферы", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label4, Ctl::Text4, "внешний диаметр сферы", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label7, Ctl::Text7, "внутренний диаметр сферы", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label8, Ctl::Text8, "коэффициент лобового сопротивления для сферы", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label2, Ctl::Text2, "длина стержня от оси вращения до нижней точки сферы", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label6, Ctl::Text6, "масса стержня", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label9, Ctl::Text9, "диаметр стержня. В окне анимации не масштабируется",
         "диаметр стержня. В окне анимациине  не масштабируется", Ctl::Label1, nullptr},
        {Ctl::Label34, Ctl::Text34, "коэффициент лобового сопротивления для стержня", nullptr, Ctl::Label1, nullptr},
        {Ctl::Label3, Ctl::Text3, "плотность среды", nullptr, Ctl::Label3_2, "ρ"},
        {Ctl::Label5, Ctl::Text5, "коэффициент динамической вязкости среды", nullptr, Ctl::Label5_2, "η"},
        {Ctl::Label18, Ctl::Text18, "начальный угол отклонения", nullptr, Ctl::Label18_2, "φ"},
        {Ctl::Label19, Ctl::Text19, "начальная угловая скорость", nullptr, Ctl::Label19_2, "ω"},
        {Ctl::Label20, Ctl::Text20, "время расчета", nullptr, Ctl::Label1, nullptr},
    };
    for (std::size_t i = 0; i < box_count; ++i) {
        const InputRow& r = rows[i];
        const std::string_view caption = box_table()[i].label_caption;
        c.box_labels[i] =
            make_label(c, client, r.label, QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())),
                       r.label_tooltip ? r.label_tooltip : r.tooltip);
        auto* box = named(c, new QLineEdit(client), r.box);
        box->setToolTip(QString::fromUtf8(r.tooltip));
        box->setFont(serif(font_12pt));
        paint_background(box, to_qcolor(colours::light_yellow), QPalette::Base);
        c.boxes[i] = box;
        if (r.letter)
            make_overlay(c, client, r.overlay, r.letter, c.box_labels[i], true);
    }

    // Characteristics column; the captions come from the computation.
    auto* label11 = make_label(c, client, Ctl::Label11, QStringLiteral("Характеристики"), "Характеристики движения",
                               Look::plain, font_11pt);
    label11->setFont(serif(font_11pt, true));
    label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    struct CharacteristicRow {
        Ctl label;
        const char* tooltip;
        Ctl overlay;
        const char* letter; // nullptr: no Greek letter over the label
    };
    // In the order of Characteristic.
    static constexpr std::array<CharacteristicRow, characteristic_count> characteristics = {{
        {Ctl::Label12, "средняя плотность сферы, как шара", Ctl::Label12_2, "ρ"},
        {Ctl::Label33, "средняя плотность материала сферы", Ctl::Label33_2, "ρ"},
        {Ctl::Label13, "масса среды в объёме шар+стержень", Ctl::Label12, nullptr},
        {Ctl::Label14, "средняя плотность стержня", Ctl::Label14_2, "ρ"},
        {Ctl::Label15, "момент инерции системы сфера-стержень", Ctl::Label12, nullptr},
        {Ctl::Label16, "декремент затухания при с=0", Ctl::Label16_2, "δ"},
        {Ctl::Label17, "циклическая частота гармонических колебаний", Ctl::Label17_2, "ω"},
        {Ctl::Label22, "циклическая частота собственных колебаний при с=0", Ctl::Label22_2, "ω"},
        {Ctl::Label23, "период гармонических колебаний", Ctl::Label12, nullptr},
        {Ctl::Label24, "период собственных колебаний при с=0", Ctl::Label12, nullptr},
        {Ctl::Label25, "коэффициент вязкости для критического режима (при с=0)", Ctl::Label25_2, "η"},
        {Ctl::Label26, "параметр fi_2", Ctl::Label26_2, "φ"},
        {Ctl::Label27, "логарифмический декремент затухания", Ctl::Label27_2, "Θ"},
        {Ctl::Label28, "добротность", Ctl::Label12, nullptr},
        {Ctl::Label35, "Положение центра масс", Ctl::Label12, nullptr},
        {Ctl::Label36, "Параметр равновесия сил тяжести и Архимеда", Ctl::Label12, nullptr},
    }};
    for (std::size_t j = 0; j < characteristics.size(); ++j) {
        const CharacteristicRow& r = characteristics[j];
        // Designed with their own names as captions; the computation writes them.
        const std::string_view name = control_name(r.label);
        c.characteristics[j] =
            make_label(c, client, r.label, QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())),
                       r.tooltip, Look::cyan_box);
        if (r.letter)
            make_overlay(c, client, r.overlay, r.letter, c.characteristics[j], false);
    }

    // Current values, written by a run.
    c.Label29 = make_label<ReadoutLabel>(c, client, Ctl::Label29, QStringLiteral("текущее время"), "текущее время",
                                         Look::cyan_box);
    c.Label30 = make_label<ReadoutLabel>(c, client, Ctl::Label30, QStringLiteral("текущий угол"), "текущий угол",
                                         Look::cyan_box);
    c.Label31 = make_label<ReadoutLabel>(c, client, Ctl::Label31, QStringLiteral("текущая угловая скорос."),
                                         "текущая угловая скорость", Look::cyan_box);
    c.Label37 = make_label<ReadoutLabel>(c, client, Ctl::Label37, QStringLiteral("текущая полная энергия"),
                                         "Текущая полная энергия", Look::cyan_box);

    // Run controls.
    c.HScroll1 = make_scroll_bar(c, client, Ctl::HScroll1, Qt::Horizontal, 1, 9, 1, 1);
    c.Label21 = make_label(c, client, Ctl::Label21, QStringLiteral("label21"), "Замедление времени", Look::white_box);
    c.HScroll2 = make_scroll_bar(c, client, Ctl::HScroll2, Qt::Horizontal, 50, 500, 100, 50);
    c.Label32 = make_label(c, client, Ctl::Label32, QStringLiteral("Label32"),
                           "Число точек интегрирования на  периоде гармонических колебаний", Look::white_box);

    c.Frame1 = named(c, new QGroupBox(QStringLiteral("Графики"), client), Ctl::Frame1);
    c.Frame1->setToolTip(QStringLiteral("Выбор показа графика"));
    c.Frame1->setFont(serif(font_11pt));
    c.Option1 = named(c, new QRadioButton(QStringLiteral("анимация"), c.Frame1), Ctl::Option1);
    c.Option1->setToolTip(QStringLiteral("Анимация движения (траектория)"));
    c.Option1->setFont(serif(font_11pt));
    c.Option1->setGeometry(3, 17, 81, 20);
    c.Option1->setChecked(true);
    c.Option2 = named(c, new QRadioButton(QStringLiteral("fi(t), wz, W"), c.Frame1), Ctl::Option2);
    c.Option2->setToolTip(QStringLiteral("Зависимости угла, угловой скорости, энергии от времени"));
    c.Option2->setFont(serif(font_11pt));
    c.Option2->setGeometry(3, 37, 88, 20);

    c.Check_p = named(c, new QCheckBox(QStringLiteral("файл"), client), Ctl::Check_p);
    c.Check_p->setToolTip(QStringLiteral("вывод результатов на печать"));
    c.Check_p->setFont(serif(font_12pt));

    // Drawing area. Picture2 lies over Picture1 and shows frames composed
    // from the plane drawn on Picture1.
    c.Picture1 = make_picture(c, client, Ctl::Picture1, "Плоскость Y-X график", PictureBackground::white);
    c.Picture2 = make_picture(c, client, Ctl::Picture2, "Анимация движения", PictureBackground::system_window);
    c.VScroll1 = make_scroll_bar(c, client, Ctl::VScroll1, Qt::Vertical, -10, 10, 1, 1);
    c.Picture3 = make_picture(c, client, Ctl::Picture3, "Зависимость угла от времени. Слева - масштаб",
                              PictureBackground::white);
    c.VScroll2 = make_scroll_bar(c, client, Ctl::VScroll2, Qt::Vertical, -10, 10, 1, 1);
    c.Picture4 = make_picture(c, client, Ctl::Picture4, "Зависимость угловой скорости от времени. Слева - масштаб",
                              PictureBackground::white);
    c.VScroll3 = make_scroll_bar(c, client, Ctl::VScroll3, Qt::Vertical, -10, 10, 0, 1);
    c.Picture14 = make_picture(c, client, Ctl::Picture14, "Зависимость полной энергии от времени. Слева - масштаб",
                               PictureBackground::system_base);

    // Overlays above the labels they mark.
    for (QWidget* w : c.widgets) {
        if (w->objectName().endsWith(QLatin1String("_2")))
            w->raise();
    }
    return c;
}

const std::vector<Ctl>& group_controls(Group group)
{
    static const std::vector<Ctl> sphere = {
        Ctl::Label4,    Ctl::Text4,     Ctl::Label7,    Ctl::Text7,   Ctl::Label8,    Ctl::Text8,
        Ctl::Label12,   Ctl::Label12_2, Ctl::Label13,   Ctl::Label33, Ctl::Label33_2, Ctl::Label16,
        Ctl::Label16_2, Ctl::Label25,   Ctl::Label25_2, Ctl::Label27, Ctl::Label27_2, Ctl::Label28,
    };
    static const std::vector<Ctl> rod = {Ctl::Label14, Ctl::Label14_2, Ctl::Label9,
                                         Ctl::Text9,   Ctl::Label34,   Ctl::Text34};
    static const std::vector<Ctl> quadratic_drag = {Ctl::Label26, Ctl::Label26_2};
    static const std::vector<Ctl> medium = {Ctl::Label13, Ctl::Label26, Ctl::Label26_2};
    static const std::vector<Ctl> viscosity = {Ctl::Label16, Ctl::Label16_2, Ctl::Label27, Ctl::Label27_2,
                                               Ctl::Label28};
    switch (group) {
    case Group::sphere: return sphere;
    case Group::rod: return rod;
    case Group::quadratic_drag: return quadratic_drag;
    case Group::medium: return medium;
    case Group::viscosity: return viscosity;
    }
    return sphere;
}

} // namespace vp
