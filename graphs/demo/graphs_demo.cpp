// The five pictures of the laboratory at the default body, placed as in the
// window of 700 x 532, with the two view buttons. A run is animated at one
// step per 10 ms until Tmax.
//
//   graphs-demo [--steps N] [--screenshot FILE.png]
//
// --steps N draws N steps of the run at once; --screenshot saves the window
// after drawing in both views, as FILE-animation.png and FILE-graphs.png,
// and quits (a few dozen steps are drawn first unless --steps says).
#include "graphs/scales.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "graphs/view.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/runge_kutta.h"
#include "platform/canvas_widget.h"

#include <QApplication>
#include <QFileInfo>
#include <QGroupBox>
#include <QLocale>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

#include <cstdio>

namespace {

struct Demo {
    vp::Parameters p;
    vp::RunSettings run;
    vp::ZoomSettings zoom;
    vp::Characteristics c;
    vp::Scales scales;
    vp::GridSteps grid;
    vp::RunState s;
    vp::PlaneCopyRects plane_copy{0, 0, 348, 348, 0, 0, 348, 348.0F};

    QWidget window;
    vp::CanvasWidget* Picture1 = nullptr;
    vp::CanvasWidget* Picture2 = nullptr;
    vp::CanvasWidget* Picture3 = nullptr;
    vp::CanvasWidget* Picture4 = nullptr;
    vp::CanvasWidget* Picture14 = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QScrollBar* VScroll3 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;

    Demo();
    vp::Pictures pictures()
    {
        return {Picture1->canvas(), Picture2->canvas(), Picture3->canvas(), Picture4->canvas(), Picture14->canvas()};
    }
    void show_graphs();
    void redraw();
    bool step();
};

vp::Rgb rgb(const QColor& c)
{
    return {static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
            static_cast<std::uint8_t>(c.blue())};
}

vp::CanvasWidget* picture(QWidget* parent, const QRect& place, const QString& tooltip, vp::Rgb background)
{
    auto* w = new vp::CanvasWidget(parent);
    w->canvas().set_background(background);
    w->canvas().set_foreground(rgb(parent->palette().color(QPalette::WindowText)));
    w->setToolTip(tooltip);
    w->place(place);
    return w;
}

QScrollBar* zoom_bar(QWidget* parent, const QRect& place)
{
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setRange(-10, 10);
    bar->setGeometry(place);
    return bar;
}

Demo::Demo()
{
    window.resize(700, 532);
    window.setWindowTitle(QStringLiteral("Графики и анимация"));
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, QColor(224, 224, 224));
    window.setPalette(palette);
    window.setAutoFillBackground(true);

    const vp::Rgb white{255, 255, 255};
    const QPalette system = QApplication::palette();
    Picture1 = picture(&window, {4, 4, 348, 348}, QStringLiteral("Плоскость Y-X график"), white);
    Picture2 =
        picture(&window, {4, 4, 348, 348}, QStringLiteral("Анимация движения"), rgb(system.color(QPalette::Button)));
    VScroll1 = zoom_bar(&window, {4, 4, 13, 112});
    Picture3 =
        picture(&window, {17, 4, 331, 112}, QStringLiteral("Зависимость угла от времени. Слева - масштаб"), white);
    VScroll2 = zoom_bar(&window, {4, 120, 13, 112});
    Picture4 = picture(&window, {17, 120, 331, 112},
                       QStringLiteral("Зависимость угловой скорости от времени. Слева - масштаб"), white);
    VScroll3 = zoom_bar(&window, {4, 236, 13, 112});
    VScroll3->setValue(0);
    Picture14 =
        picture(&window, {17, 236, 331, 112}, QStringLiteral("Зависимость полной энергии от времени. Слева - масштаб"),
                rgb(system.color(QPalette::Base)));
    VScroll1->setValue(1);
    VScroll2->setValue(1);

    QFont font(QStringLiteral("Times New Roman"));
    font.setPixelSize(15);
    auto* frame = new QGroupBox(QStringLiteral("Графики"), &window);
    frame->setToolTip(QStringLiteral("Выбор показа графика"));
    frame->setFont(font);
    frame->setGeometry(356, 467, 97, 62);
    Option1 = new QRadioButton(QStringLiteral("анимация"), frame);
    Option1->setToolTip(QStringLiteral("Анимация движения (траектория)"));
    Option1->setGeometry(3, 17, 81, 20);
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("fi(t), wz, W"), frame);
    Option2->setToolTip(QStringLiteral("Зависимости угла, угловой скорости, энергии от времени"));
    Option2->setGeometry(3, 37, 88, 20);
    QObject::connect(Option1, &QRadioButton::clicked, [this] { show_graphs(); });
    QObject::connect(Option2, &QRadioButton::clicked, [this] { show_graphs(); });

    vp::predvar(p, run, zoom);
    vp::parametr(p, run.n_tochek, c);
    show_graphs();
    redraw();
    vp::start_run(s, c.fi0_rad, p.wz0);
}

void Demo::show_graphs()
{
    vp::apply_view(vp::chosen_view(Option1->isChecked(), Option2->isChecked()), {Picture1, Picture2},
                   {Picture3, Picture4, Picture14, VScroll1, VScroll2, VScroll3});
}

void Demo::redraw()
{
    const std::string separator = QLocale().decimalPoint().toStdString();
    const vp::Pictures all = pictures();
    for (vp::Surface* surface : {&all.Picture1, &all.Picture2, &all.Picture3, &all.Picture4, &all.Picture14})
        surface->clear();
    vp::minmax(p, c, zoom, scales, all);
    vp::axes(all.Picture1, scales, p, c, zoom, separator, grid);
    vp::axes_2(all.Picture2, all.Picture1, plane_copy, p, c);
    vp::axes_x_t(all.Picture3, scales, p, zoom, separator, grid);
    vp::axes_y_t(all.Picture4, scales, p, zoom, separator, grid);
    vp::axes_W_t(all.Picture14, scales, p, c, zoom, separator, grid);
}

// One step of the run with its drawing; false once the run has ended.
bool Demo::step()
{
    if (!(s.t_f < p.Tmax))
        return false;
    vp::runge_kutta_step(s, {c.W02, c.delta, c.fi_2_x}, c.shag);
    const vp::Pictures all = pictures();
    vp::plot_time_point(all.Picture3, all.Picture4, all.Picture14, c, s);
    vp::draw_animation_frame(all.Picture2, all.Picture1, plane_copy, p, s);
    return true;
}

void save(QWidget& window, const QString& file)
{
    if (!window.grab().save(file))
        std::fprintf(stderr, "graphs-demo: cannot write %s\n", qPrintable(file));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    int steps = -1;
    QString screenshot;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--steps"))
            steps = args[++i].toInt();
        else if (args[i] == QLatin1String("--screenshot"))
            screenshot = args[++i];
    }

    Demo demo;
    if (steps < 0 && !screenshot.isEmpty())
        steps = 48;
    for (int i = 0; i < steps && demo.step(); ++i) {
    }
    demo.window.show();

    if (!screenshot.isEmpty()) {
        QApplication::processEvents();
        const QFileInfo info(screenshot);
        const QString base = info.path() + QLatin1Char('/') + info.completeBaseName();
        demo.Option1->click();
        save(demo.window, base + QStringLiteral("-animation.png"));
        demo.Option2->click();
        save(demo.window, base + QStringLiteral("-graphs.png"));
        return 0;
    }

    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (!demo.step())
            timer.stop();
    });
    timer.start(10);
    return QApplication::exec();
}
