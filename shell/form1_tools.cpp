// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring tools of the main window: the pictures' context menus and
// readouts, the analysis window, the exports and the characteristics' copy.
#include "shell/form1.h"

#include "analysis/table_texts.h"
#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/constants.h"
#include "platform/canvas_widget.h"
#include "platform/clock.h"
#include "platform/painter_surface.h"
#include "report/run_report.h"
#include "shell/analysis_window.h"
#include "shell/characteristics_copy.h"
#include "shell/picture_export.h"
#include "shell/picture_tools.h"
#include "shell/report_pdf.h"
#include "shell/series_window.h"

#include <QAction>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QPainter>
#include <QPicture>
#include <QProgressDialog>

#include <algorithm>
#include <memory>

namespace vp {

void Form1::build_tools()
{
    // Picture1 lies under Picture2 and never gets the mouse: the plane's
    // tools are the animation's.
    const std::pair<CanvasWidget*, PictureKind> pictures[] = {
        {controls_.Picture2, PictureKind::plane},
        {controls_.Picture3, PictureKind::angle},
        {controls_.Picture4, PictureKind::angular_velocity},
        {controls_.Picture14, PictureKind::energy},
    };
    // Ctrl+R opens the series from any window of the program.
    auto* series = new QAction(QStringLiteral("Серия опытов…"), this);
    series->setObjectName(QStringLiteral("actSeries"));
    series->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    series->setShortcutContext(Qt::ApplicationShortcut);
    connect(series, &QAction::triggered, this, &Form1::show_series);
    addAction(series);

    for (const auto& [picture, kind] : pictures) {
        CanvasWidget* shown = picture;
        new PictureTools(picture, kind, lab_.run_record,
                         {[this] { show_analysis(); }, [this] { save_run_data_with_progress(); },
                          [this, shown] {
                              report(save_picture(*services_.dialogs, exportable(shown),
                                                  in_working_directory(shown->objectName() + QStringLiteral(".png"))));
                          },
                          [shown] { copy_picture(shown->canvas()); }, series});
    }

    const auto characteristics = [this] {
        return QString::fromStdString(characteristics_text(lab_.p, lab_.c, decimal_separator()));
    };
    attach_copy_characteristics(controls_[Ctl::Label11], characteristics);
    for (QLabel* label : controls_.characteristics)
        attach_copy_characteristics(label, characteristics);
}

void Form1::show_analysis()
{
    if (!analysis_) {
        analysis_ = new AnalysisWindow(*services_.clock, this);
        for (QChartView* plot : analysis_->findChildren<QChartView*>())
            attach_plot_export(plot);
        analysis_->set_series_command([this] { show_series(); });
        AnalysisReportHost host;
        host.dialogs = services_.dialogs;
        host.working_directory = services_.working_directory;
        host.report = [this](const SaveOutcome& outcome) { report(outcome); };
        host.draw_run_picture = [this](ReportFigure figure, QPainter& painter, const QRectF& rect) {
            draw_report_picture(figure, painter, rect);
        };
        analysis_->set_report_host(std::move(host));
    }
    analysis_->show_analysis(lab_.run_record, decimal_separator());
}

// The analysis window's plots are saved as the pictures are: their menu
// (right click) saves and copies what they show, drawn again by the chart.
void Form1::attach_plot_export(QChartView* plot)
{
    ExportablePicture picture;
    picture.logical_size = plot->size();
    picture.as_shown = [plot] { return plot->grab().toImage(); };
    picture.redrawn = [plot](qreal ratio) {
        QImage image(plot->size() * ratio, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(ratio);
        image.fill(Qt::white);
        QPainter painter(&image);
        plot->render(&painter);
        return image;
    };
    picture.drawn_on = [plot](QPainter& painter) { plot->render(&painter); };
    auto* menu = new QMenu(plot);
    connect(menu->addAction(QStringLiteral("Сохранить изображение…")), &QAction::triggered, this,
            [this, plot, picture] {
                ExportablePicture now = picture;
                now.logical_size = plot->size();
                report(save_picture(*services_.dialogs, now,
                                    in_working_directory(plot->objectName() + QStringLiteral(".png"))));
            });
    connect(menu->addAction(QStringLiteral("Копировать изображение")), &QAction::triggered, this,
            [plot] { QGuiApplication::clipboard()->setImage(plot->grab().toImage()); });
    plot->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(plot, &QWidget::customContextMenuRequested, menu,
            [menu, plot](const QPoint& at) { menu->popup(plot->mapToGlobal(at)); });
}

// The analysis window follows a run as it goes; closed, it costs nothing.
void Form1::follow_analysis()
{
    if (analysis_)
        analysis_->update_analysis(lab_.run_record, decimal_separator());
}

// A run of millions of steps takes seconds to write: the window shows how
// far it has come and keeps painting, while nothing else can be done in it
// (a new run would take the kept run away from under the writer).
void Form1::save_run_data_with_progress()
{
    // Below this many rows the file is written before anyone could see it.
    constexpr std::size_t rows_worth_a_progress_bar = 100000;
    std::unique_ptr<QProgressDialog> shown;
    if (lab_.run_record.size() >= rows_worth_a_progress_bar) {
        shown = std::make_unique<QProgressDialog>(QStringLiteral("Сохранение данных…"), QString(), 0, 1000, this);
        shown->setWindowTitle(QStringLiteral("Сохранить данные (CSV)"));
        shown->setWindowModality(Qt::ApplicationModal);
        shown->setCancelButton(nullptr);
        shown->setMinimumDuration(300);
    }
    QProgressDialog* progress = shown.get();
    report(save_run_data(*services_.dialogs, lab_.run_record, in_working_directory(QStringLiteral("vibrel_run.csv")),
                         decimal_separator(), [progress](double done) {
                             if (progress)
                                 progress->setValue(static_cast<int>(done * 1000));
                         }));
}

// The pictures as the window has drawn them, drawn again on other surfaces
// by the same calls: the axes of the last redraw, then the steps of the run
// drawn since (of `steps` only, where given), and the animation's frame of
// the last of them.
void Form1::draw_pictures_again(const Pictures& all, const std::vector<std::size_t>* steps) const
{
    for (Surface* picture : {&all.Picture1, &all.Picture2, &all.Picture3, &all.Picture4, &all.Picture14})
        picture->clear();
    draw_axes(all);
    const RunRecord& run = lab_.run_record;
    const std::size_t from = run.run_number() == shown_run_ ? shown_from_ : 0;
    RunState s;
    const auto draw_step = [&](std::size_t i) {
        const RunRow row = run.row(i);
        s.t_f = row.t;
        s.fi_new = row.fi_deg * k_grad_rad;
        s.wz_new = row.wz;
        s.W_poln = row.W;
        plot_time_point(all.Picture3, all.Picture4, all.Picture14, s);
    };
    if (steps != nullptr) {
        for (const std::size_t i : *steps)
            if (i >= from && i < run.size())
                draw_step(i);
    } else {
        for (std::size_t i = from; i < run.size(); ++i)
            draw_step(i);
    }
    if (from < run.size())
        draw_animation_frame(all.Picture2, all.Picture1, lab_.plane_copy, lab_.p, s);
}

// One of the five pictures drawn again as shapes and text on `painter`, as
// `how` says; the others are drawn too, on records thrown away, as the
// animation copies the plane.
void Form1::draw_picture_again(std::size_t which, QPainter& painter, const Redraw& how) const
{
    const std::array<CanvasWidget*, 5> widgets = controls_.picture_widgets();
    std::array<QPicture, 5> records;
    std::array<std::unique_ptr<QPainter>, 5> painters;
    std::array<std::unique_ptr<PainterSurface>, 5> surfaces;
    for (std::size_t i = 0; i < surfaces.size(); ++i) {
        const Canvas& on_screen = widgets[i]->canvas();
        QPainter* on = &painter;
        if (i != which) {
            painters[i] = std::make_unique<QPainter>(&records[i]);
            on = painters[i].get();
        }
        QFont font = on_screen.font();
        if (!how.family.isEmpty())
            font.setFamily(how.family);
        const bool graph = i >= 2 && !how.graph_size.isEmpty();
        surfaces[i] =
            std::make_unique<PainterSurface>(*on, graph ? how.graph_size : on_screen.logical_size() * how.size,
                                             on_screen.background(), on_screen.foreground(), font);
    }
    draw_pictures_again(Pictures{*surfaces[0], *surfaces[1], *surfaces[2], *surfaces[3], *surfaces[4]}, how.steps);
}

// The report's pictures: the animation, or the three graphs one above the
// other as the window stacks them, scaled into the rectangle. A long run's
// graphs are drawn from a few thousand of its steps that keep their
// envelope: a line per step of millions would make the file huge.
void Form1::draw_report_picture(ReportFigure figure, QPainter& painter, const QRectF& rect) const
{
    constexpr std::size_t most_steps = 6000;
    constexpr double gap = 4; // px between the graphs
    // Drawn as on a picture this wide at most: the window's texts, of a
    // size in pixels, stay legible on the page of a large window.
    constexpr double widest = 560; // px
    // The graphs drawn taller than a small window stacks them, whatever its
    // size: their nine tick labels, 13 px high, need some 16 px apiece.
    const QSize graph_size(400, 150); // px
    // The graphs show the steps since they were last cleared.
    const RunRecord& run = lab_.run_record;
    const std::vector<std::size_t> steps =
        report_steps(run, most_steps, run.run_number() == shown_run_ ? shown_from_ : 0);
    const std::array<CanvasWidget*, 5> widgets = controls_.picture_widgets();
    const bool plane = figure == ReportFigure::plane;
    const std::vector<std::size_t> shown = plane ? std::vector<std::size_t>{1} : std::vector<std::size_t>{2, 3, 4};
    const QSize plane_size = widgets[1]->canvas().logical_size();
    if (plane_size.isEmpty())
        return;
    // The screen's "Times New Roman" may be any of its twins; the report's
    // is the one it is set in.
    const Redraw how{&steps, QString::fromLatin1(report_serif), std::min(1.0, widest / plane_size.width()), graph_size};
    const QSizeF one = plane ? QSizeF(plane_size) * how.size : QSizeF(graph_size);
    const double width = one.width();
    const double height = plane ? one.height() : 3 * one.height() + 2 * gap;
    const double scale = std::min(rect.width() / width, rect.height() / height);
    double y = rect.top();
    for (const std::size_t i : shown) {
        painter.save();
        painter.translate(rect.left() + (rect.width() - width * scale) / 2, y);
        painter.scale(scale, scale);
        painter.setClipRect(QRectF(QPointF(0, 0), one));
        draw_picture_again(i, painter, how);
        painter.restore();
        y += (one.height() + gap) * scale;
    }
}

ExportablePicture Form1::exportable(const CanvasWidget* shown) const
{
    const std::array<CanvasWidget*, 5> widgets = controls_.picture_widgets();
    const auto which = static_cast<std::size_t>(std::find(widgets.begin(), widgets.end(), shown) - widgets.begin());
    ExportablePicture out;
    out.logical_size = shown->canvas().logical_size();
    out.as_shown = [shown] { return shown->canvas().image(); };
    out.redrawn = [this, widgets, which](qreal ratio) {
        std::array<std::unique_ptr<Canvas>, 5> canvases;
        for (std::size_t i = 0; i < canvases.size(); ++i) {
            const Canvas& on_screen = widgets[i]->canvas();
            canvases[i] = std::make_unique<Canvas>();
            canvases[i]->set_background(on_screen.background());
            canvases[i]->set_foreground(on_screen.foreground());
            canvases[i]->set_font(on_screen.font());
            canvases[i]->resize(on_screen.logical_size(), ratio);
        }
        draw_pictures_again(Pictures{*canvases[0], *canvases[1], *canvases[2], *canvases[3], *canvases[4]});
        return canvases[which]->image();
    };
    out.drawn_on = [this, which](QPainter& painter) { draw_picture_again(which, painter, {}); };
    return out;
}

void Form1::show_series()
{
    if (!series_) {
        SeriesHost host;
        host.inputs = [this] { return series_inputs(); };
        host.load = [this](const LabInputs& inputs) { return place_inputs(inputs); };
        host.decimal_separator = [this] { return decimal_separator(); };
        host.report = [this](const SaveOutcome& outcome) { report(outcome); };
        host.dialogs = services_.dialogs;
        host.working_directory = services_.working_directory;
        host.today = [this] { return services_.clock->today(); };
        series_ = new SeriesWindow(std::move(host), this);
    }
    series_->show_window();
}

LabInputs Form1::series_inputs() const
{
    LabInputs inputs;
    inputs.p = lab_.p;
    inputs.run = lab_.run;
    inputs.memories = lab_.memories;
    // The characteristics may lag a quantity that a parameter file placed
    // without changing its box's text.
    vp::parametr(inputs.p, inputs.run.n_tochek, inputs.c);
    for (const QuantityRow& row : quantity_table())
        inputs.texts[static_cast<std::size_t>(row.quantity)] = box_text(row.quantity);
    return inputs;
}

bool Form1::place_inputs(const LabInputs& inputs)
{
    if (run_in_progress())
        return false;
    // All quantities first: each box's handler then checks its value against
    // the point's others, which agree with it, not against the old ones.
    lab_.p = inputs.p;
    for (const QuantityRow& row : quantity_table())
        write_box(row.quantity, inputs.texts[static_cast<std::size_t>(row.quantity)]);
    Form_Resize();
    return true;
}

void Form1::report(const SaveOutcome& outcome)
{
    if (outcome.result == SaveOutcome::failed)
        show_message(QStringLiteral("Ошибка"), save_failure_text(outcome));
}

} // namespace vp
