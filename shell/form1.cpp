// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

#include "graphs/scales.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "graphs/view.h"
#include "graphs/zoom.h"
#include "platform/canvas_widget.h"
#include "platform/message_boxes.h"
#include "shell/form2.h"
#include "shell/layout.h"
#include "shell/window_title.h"
#include "texts/characteristic_table.h"
#include "texts/number_text.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

namespace vp {
namespace {

// The client area: its size changes raise the window's resize handling.
class ClientArea : public QWidget {
public:
    explicit ClientArea(std::function<void()> on_resize) : on_resize_(std::move(on_resize)) {}

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QWidget::resizeEvent(event);
        on_resize_();
    }

private:
    std::function<void()> on_resize_;
};

constexpr int design_width = 700;
constexpr int design_height = 532;

} // namespace

Form1::Form1(const Services& services, QWidget* parent) : QMainWindow(parent), services_(services)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(window_title::plain);
    client_ = new ClientArea([this] { Form_Resize(); });
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    controls_ = create_controls(client_);

    const Controls& c = controls_;
    for (const QuantityRow& row : quantity_table()) {
        const Quantity q = row.quantity;
        connect(c.box(q), &QLineEdit::textChanged, this, [this, q] { box_changed(q, *this); });
    }
    connect(c.Label10, &ClickableLabel::clicked, this, &Form1::Label10_Click);
    connect(c.CmdOK, &QPushButton::clicked, this, &Form1::CmdOK_Click);
    connect(c.Check_p, &QCheckBox::toggled, this, &Form1::Check_p_Click);
    connect(c.Option1, &QRadioButton::clicked, this, &Form1::show_graphs);
    connect(c.Option2, &QRadioButton::clicked, this, &Form1::show_graphs);
    connect(c.HScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.run.zamedlenie = v;
        controls_.Label21->setText(QString::fromStdString(bare_number_text(v)));
    });
    connect(c.HScroll2, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.run.n_tochek = static_cast<std::int16_t>(v);
        controls_.Label32->setText(QString::fromStdString(bare_number_text(v)));
    });
    connect(c.VScroll1, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.zoom.k_fi = zoom_divisor(v);
        Form_Resize();
    });
    connect(c.VScroll2, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.zoom.k_wz = zoom_divisor(v);
        Form_Resize();
    });
    connect(c.VScroll3, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.zoom.k_W = static_cast<float>(zoom_divisor(v));
        Form_Resize();
    });

    build_menus();
    build_tools();
    resize(design_width, design_height + menuBar()->sizeHint().height());
    Form_Load();
    c.CmdOK->setFocus();
}

Form1::~Form1()
{
    close_results_file();
    delete form2_;
}

void Form1::Form_Load()
{
    lab_.zagruzka = 0;
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->geometry();
        move(area.left() + static_cast<int>(0.05 * area.width()), area.top() + static_cast<int>(0.05 * area.height()));
    }
    predvar();
    parametr();
    lab_.zagruzka = 1;
}

void Form1::predvar()
{
    vp::predvar(lab_.p, lab_.run, lab_.zoom);
    // Writing a box runs its handler, which reads the text back and rewrites
    // it in the box's own format.
    for (const QuantityRow& row : quantity_table()) {
        const Quantity q = row.quantity;
        controls_.box(q)->setText(QString::fromStdString(start_up_text(q, quantity(lab_.p, q))));
    }
    controls_.Label21->setText(QString::fromStdString(bare_number_text(lab_.run.zamedlenie)));
    controls_.Label32->setText(QString::fromStdString(bare_number_text(lab_.run.n_tochek)));
}

void Form1::parametr()
{
    vp::parametr(lab_.p, lab_.run.n_tochek, lab_.c);
    const CharacteristicCaptions captions = characteristic_captions(lab_.p, lab_.c, decimal_separator());
    for (std::size_t i = 0; i < captions.size(); ++i)
        controls_.characteristics[i]->setText(QString::fromStdString(captions[i]));
}

void Form1::layout()
{
    const WindowLayout pass = vp::layout(client_->width(), client_->height());
    for (const Placement& placement : pass.placements) {
        QWidget* widget = controls_[placement.control];
        const ControlRect r = to_pixels(placement.place);
        const QRect rect(r.left, r.top, r.width, r.height);
        if (auto* picture = qobject_cast<CanvasWidget*>(widget))
            picture->place(rect);
        else
            widget->setGeometry(rect);
    }
    show_graphs();
    lab_.plane_copy = pass.plane_copy;
}

void Form1::show_graphs()
{
    const Controls& c = controls_;
    const View view = chosen_view(c.Option1->isChecked(), c.Option2->isChecked());
    if (view == View::unchanged)
        return;
    // What the pictures hold is not touched: a view shows everything drawn
    // on it while it was hidden.
    const bool animation = view == View::animation;
    for (QWidget* w : {c.Picture1, c.Picture2})
        w->setVisible(animation);
    for (QWidget* w :
         std::initializer_list<QWidget*>{c.Picture3, c.Picture4, c.Picture14, c.VScroll1, c.VScroll2, c.VScroll3})
        w->setVisible(!animation);
}

void Form1::Form_Resize()
{
    if (lab_.zagruzka == 0 || run_.abandoned())
        return;
    layout();
    parametr();
    redraw_pictures();
}

void Form1::redraw_pictures()
{
    for (CanvasWidget* picture : controls_.picture_widgets())
        picture->canvas().clear();
    const Pictures all = pictures();
    const std::string separator = decimal_separator();
    Scales scales;
    minmax(lab_.p, lab_.c, lab_.zoom, scales, all);
    axes(all.Picture1, scales, lab_.p, lab_.c, lab_.zoom, separator);
    axes_2(all.Picture2, all.Picture1, lab_.plane_copy, lab_.p, lab_.c);
    axes_x_t(all.Picture3, scales, lab_.p, lab_.zoom, separator);
    axes_y_t(all.Picture4, scales, lab_.p, lab_.zoom, separator);
    axes_W_t(all.Picture14, scales, lab_.p, lab_.c, lab_.zoom, separator);
}

Pictures Form1::pictures() const
{
    const Controls& c = controls_;
    return {c.Picture1->canvas(), c.Picture2->canvas(), c.Picture3->canvas(), c.Picture4->canvas(),
            c.Picture14->canvas()};
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (!services_.boxes->ask_yes_no(QStringLiteral("На Выход"), QStringLiteral("Вы абсолютно уверены?"))) {
        event->ignore();
        return;
    }
    // The program ends at once: files are closed with what they hold, a run
    // in progress takes no further step.
    run_.abandon();
    results_file_.finish(lab_.run_record, decimal_separator());
    if (form2_)
        form2_->close();
    event->accept();
    if (services_.quit)
        services_.quit();
}

void Form1::mnuFileExit_Click()
{
    close();
}

QString Form1::in_working_directory(const QString& file_name) const
{
    return QDir(services_.working_directory).filePath(file_name);
}

std::string Form1::decimal_separator() const
{
    return QLocale().decimalPoint().toStdString();
}

void Form1::show_message(const QString& title, const QString& text)
{
    signal(25);
    services_.boxes->show_message(title, text);
}

} // namespace vp
