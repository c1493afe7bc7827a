// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/controls.h"

#include "drawing/colours.h"
#include "platform/canvas_widget.h"
#include "platform/qcolor.h"
#include "shell/greek_letter.h"
#include "shell/readout_label.h"
#include "texts/characteristic_table.h"

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

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
Label* make_label(Controls& c, QWidget* parent, Ctl name, const QString& caption, std::string_view tooltip,
                  Look look = Look::plain, int font_pixels = font_12pt)
{
    auto* label = named(c, new Label(caption, parent), name);
    label->setToolTip(utf8(tooltip));
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
void make_overlay(Controls& c, QWidget* parent, Ctl name, std::string_view letter, const QLabel* over, bool opaque)
{
    auto* label = named(c, new GreekLetter(utf8(letter), over, parent), name);
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

// What a screen reader says of a control: its name, then the description.
void speak(QWidget* w, const QString& name, const QString& description)
{
    if (!name.isEmpty())
        w->setAccessibleName(name);
    w->setAccessibleDescription(description);
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

QString words(const char* text)
{
    return QString::fromUtf8(text);
}

// Names and descriptions for a screen reader, tooltips where they were
// missing, and the keyboard's way through the window: the panel top to
// bottom (boxes, slow-down and points bars, view options, "файл", "ПУСК"),
// then the drawing area.
void make_keyboard_and_reader_ready(Controls& c)
{
    // The controls without a row in the tables; the captions that change
    // (the characteristics, the readouts, the slow-down and points labels)
    // are named by whoever writes them.
    speak(c.Label10, {}, words("Щелчок или Ctrl+O загружает все параметры из файла vibrel_in.txt"));
    speak(c[Ctl::Label11], {}, words("Характеристики движения; правая кнопка мыши копирует их"));
    for (ReadoutLabel* readout : {c.Label29, c.Label30, c.Label31, c.Label37})
        readout->setAccessibleDescription(readout->toolTip() + words(" во время расчёта"));
    const struct {
        QScrollBar* bar;
        const char* name;
        const char* description;
    } bars[] = {
        {c.HScroll1, "Замедление времени", "Во сколько раз медленнее показывается расчёт, от 1 до 9"},
        {c.HScroll2, "Число точек интегрирования на периоде гармонических колебаний",
         "От 50 до 500 через 50; действует со следующего пуска"},
        {c.VScroll1, "Масштаб графика угла", "От -10 до 10: вниз крупнее, вверх мельче"},
        {c.VScroll2, "Масштаб графика угловой скорости", "От -10 до 10: вниз крупнее, вверх мельче"},
        {c.VScroll3, "Масштаб графика полной энергии", "От -10 до 10: вниз крупнее, вверх мельче"},
    };
    for (const auto& b : bars) {
        b.bar->setToolTip(words(b.name));
        speak(b.bar, words(b.name), words(b.description));
        b.bar->setFocusPolicy(Qt::StrongFocus);
    }
    speak(c.Label21, words("Замедление времени: 1"), c.Label21->toolTip());
    speak(c.Label32, words("Точек на периоде: 100"), c.Label32->toolTip().simplified());
    speak(c.Frame1, {}, c.Frame1->toolTip());
    speak(c.Option1, words("анимация движения"), c.Option1->toolTip());
    speak(c.Option2, words("графики угла, угловой скорости и энергии от времени"), c.Option2->toolTip());
    speak(c.CmdOK, {}, c.CmdOK->toolTip() + words("; клавиши Пробел и Enter"));
    speak(c.Check_p, words("файл результатов"),
          c.Check_p->toolTip() + words(": следующий расчёт записывается в файл vibrel_out.txt"));
    const struct {
        CanvasWidget* picture;
        const char* name;
    } pictures[] = {
        {c.Picture1, "Плоскость Y-X"},
        {c.Picture2, "Анимация движения"},
        {c.Picture3, "График угла от времени"},
        {c.Picture4, "График угловой скорости от времени"},
        {c.Picture14, "График полной энергии от времени"},
    };
    for (const auto& p : pictures)
        speak(p.picture, words(p.name), p.picture->toolTip() + words(". Меню рисунка: Shift+F10"));
    // The plane lies under the animation and never takes the focus.
    for (CanvasWidget* picture : {c.Picture2, c.Picture3, c.Picture4, c.Picture14})
        picture->setFocusPolicy(Qt::StrongFocus);

    // The panel top to bottom, then the drawing area.
    std::vector<QWidget*> order(c.boxes.begin(), c.boxes.end());
    for (QWidget* w :
         std::initializer_list<QWidget*>{c.HScroll1, c.HScroll2, c.Option1, c.Option2, c.Check_p, c.CmdOK, c.Picture2,
                                         c.VScroll1, c.Picture3, c.VScroll2, c.Picture4, c.VScroll3, c.Picture14})
        order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(order[i - 1], order[i]);
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

    // The input rows, from the quantity table.
    for (const QuantityRow& row : quantity_table()) {
        const auto i = static_cast<std::size_t>(row.quantity);
        const std::string_view label_tooltip = row.label_tooltip.empty() ? row.tooltip : row.label_tooltip;
        c.box_labels[i] = make_label(c, client, control_named(row.label), utf8(row.caption), label_tooltip);
        auto* box = named(c, new QLineEdit(client), control_named(row.box));
        box->setToolTip(utf8(row.tooltip));
        box->setFont(serif(font_12pt));
        paint_background(box, to_qcolor(colours::light_yellow), QPalette::Base);
        c.boxes[i] = box;
        c.box_labels[i]->setBuddy(box);
        speak(box, utf8(box_accessible_name(row.quantity)), utf8(row.tooltip));
        speak(c.box_labels[i], utf8(label_accessible_name(row.quantity)),
              QStringLiteral("подпись поля «%1»").arg(box->accessibleName()));
        if (!row.overlay.name.empty()) {
            make_overlay(c, client, control_named(row.overlay.name), row.overlay.letter, c.box_labels[i], true);
            speak(c[control_named(row.overlay.name)],
                  utf8(row.overlay.letter) + QStringLiteral(" — ") + utf8(row.tooltip),
                  QStringLiteral("буква подписи «%1»").arg(c.box_labels[i]->accessibleName()));
        }
    }

    // Characteristics column; the captions come from the computation.
    auto* label11 = make_label(c, client, Ctl::Label11, QStringLiteral("Характеристики"), "Характеристики движения",
                               Look::plain, font_11pt);
    label11->setFont(serif(font_11pt, true));
    label11->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    for (const CharacteristicRow& row : characteristic_table()) {
        const auto j = static_cast<std::size_t>(row.characteristic);
        // Designed with their own names as captions; the computation writes them.
        c.characteristics[j] =
            make_label(c, client, control_named(row.label), utf8(row.label), row.tooltip, Look::cyan_box);
        c.characteristics[j]->setAccessibleDescription(utf8(row.tooltip));
        if (!row.overlay.name.empty()) {
            make_overlay(c, client, control_named(row.overlay.name), row.overlay.letter, c.characteristics[j], false);
            speak(c[control_named(row.overlay.name)],
                  utf8(row.overlay.letter) + QStringLiteral(" — ") + utf8(row.tooltip),
                  QStringLiteral("буква надписи характеристики"));
        }
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
    make_keyboard_and_reader_ready(c);
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
