// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/form1.h"

#include "graphs/pictures.h"
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
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QShowEvent>
#include <QWindow>

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
    // Below the smallest area that shows every control apart, the client
    // area keeps that size and scrolls: a screen too small for it (a large
    // scale factor) still reaches every control.
    const ClientSize least = minimum_client_size();
    client_->setMinimumSize(least.width, least.height);
    auto* scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("clientScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    scroller->setWidget(client_);
    setCentralWidget(scroller);
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
        show_setting(controls_.Label21, QStringLiteral("Замедление времени: "), v);
    });
    connect(c.HScroll2, &QScrollBar::valueChanged, this, [this](int v) {
        lab_.run.n_tochek = static_cast<std::int16_t>(v);
        show_setting(controls_.Label32, QStringLiteral("Точек на периоде: "), v);
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

    // Return and Enter press the start button, as the space bar does.
    c.CmdOK->installEventFilter(this);

    build_menus();
    build_tools();
    const int menu_height = menuBar()->sizeHint().height();
    setMinimumSize(least.width, least.height + menu_height);
    resize(design_width, design_height + menu_height);
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
        fit_on_screen(screen->availableGeometry());
    }
    predvar();
    parametr();
    lab_.zagruzka = 1;
}

// The window never opens larger than the screen's free area, frame and
// title included, and stays where it was put while it fits; what no longer
// fits scrolls. Before the desktop has framed the window its frame is
// taken as nothing, and the window is fitted again once it is shown.
void Form1::fit_on_screen(const QRect& available)
{
    const QSize frame = frameGeometry().size() - size();
    const QSize fitted = size().boundedTo(available.size() - frame).expandedTo(QSize(1, 1));
    const int left = std::clamp(x(), available.left(),
                                std::max(available.left(), available.right() + 1 - frame.width() - fitted.width()));
    const int top = std::clamp(y(), available.top(),
                               std::max(available.top(), available.bottom() + 1 - frame.height() - fitted.height()));
    setMinimumSize(minimumSize().boundedTo(fitted));
    move(left, top);
    resize(fitted);
}

void Form1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (QWindow* window = windowHandle(); window != nullptr && !fitted_when_framed_)
        window->installEventFilter(this);
}

bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == controls_.CmdOK && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && key->modifiers() == Qt::NoModifier) {
            if (!key->isAutoRepeat())
                controls_.CmdOK->click();
            return true;
        }
    }
    if (watched == windowHandle() && event->type() == QEvent::Expose && !fitted_when_framed_) {
        fitted_when_framed_ = true;
        watched->removeEventFilter(this);
        if (const QScreen* on = screen())
            fit_on_screen(on->availableGeometry());
    }
    return QMainWindow::eventFilter(watched, event);
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
    show_setting(controls_.Label21, QStringLiteral("Замедление времени: "), lab_.run.zamedlenie);
    show_setting(controls_.Label32, QStringLiteral("Точек на периоде: "), lab_.run.n_tochek);
}

void Form1::show_setting(QLabel* label, const QString& spoken, int value)
{
    const QString text = QString::fromStdString(bare_number_text(value));
    label->setText(text);
    label->setAccessibleName(spoken + text);
}

void Form1::parametr()
{
    vp::parametr(lab_.p, lab_.run.n_tochek, lab_.c);
    const CharacteristicCaptions captions = characteristic_captions(lab_.p, lab_.c, decimal_separator());
    for (std::size_t i = 0; i < captions.size(); ++i) {
        QLabel* label = controls_.characteristics[i];
        label->setText(QString::fromStdString(captions[i]));
        label->setAccessibleName(
            QString::fromStdString(spoken_caption(characteristic_table()[i].characteristic, captions[i])));
    }
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

// The pictures are cleared and drawn anew on their deferred drawings: what
// is drawn is decided here, and drawn once before the screen or anyone else
// sees it, however many redraws come before that.
void Form1::redraw_pictures()
{
    const Pictures all = redrawn_pictures();
    // The animation first: its drawing copies the plane's, which would
    // otherwise have to be drawn before the plane could begin anew.
    all.Picture2.clear();
    all.Picture1.clear();
    all.Picture3.clear();
    all.Picture4.clear();
    all.Picture14.clear();
    draw_pictures(all, lab_.p, lab_.c, lab_.zoom, lab_.plane_copy, decimal_separator());
    shown_run_ = lab_.run_record.run_number();
    shown_from_ = lab_.run_record.size();
}

void Form1::draw_axes(const Pictures& all) const
{
    draw_pictures(all, lab_.p, lab_.c, lab_.zoom, lab_.plane_copy, decimal_separator());
}

Pictures Form1::pictures() const
{
    const Controls& c = controls_;
    return {c.Picture1->canvas(), c.Picture2->canvas(), c.Picture3->canvas(), c.Picture4->canvas(),
            c.Picture14->canvas()};
}

Pictures Form1::redrawn_pictures() const
{
    const Controls& c = controls_;
    return {c.Picture1->drawing(), c.Picture2->drawing(), c.Picture3->drawing(), c.Picture4->drawing(),
            c.Picture14->drawing()};
}

// A box runs an event loop, and the window shows behind it what the
// pictures are now.
void Form1::settle_pictures()
{
    for (CanvasWidget* picture : controls_.picture_widgets())
        picture->settle_if_shown();
}

void Form1::closeEvent(QCloseEvent* event)
{
    settle_pictures();
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
    settle_pictures();
    services_.boxes->show_message(title, text);
}

} // namespace vp
