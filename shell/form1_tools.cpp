// SPDX-License-Identifier: GPL-3.0-or-later
// The measuring tools of the main window: the pictures' context menus and
// readouts, the analysis window, the exports and the characteristics' copy.
#include "shell/form1.h"

#include "analysis/table_texts.h"
#include "platform/canvas_widget.h"
#include "platform/clock.h"
#include "shell/analysis_window.h"
#include "shell/characteristics_copy.h"
#include "shell/picture_export.h"
#include "shell/picture_tools.h"
#include "shell/series_window.h"

#include <QAction>
#include <QProgressDialog>

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
    for (const auto& [picture, kind] : pictures) {
        CanvasWidget* shown = picture;
        new PictureTools(picture, kind, lab_.run_record,
                         {[this] { show_analysis(); }, [this] { save_run_data_with_progress(); },
                          [this, shown] {
                              report(save_picture(*services_.dialogs, shown->canvas(),
                                                  in_working_directory(shown->objectName() + QStringLiteral(".png"))));
                          },
                          [shown] { copy_picture(shown->canvas()); }, [this] { show_series(); }});
    }

    // Ctrl+R opens the series from any window of the program.
    auto* series = new QAction(QStringLiteral("Серия опытов…"), this);
    series->setObjectName(QStringLiteral("actSeries"));
    series->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    series->setShortcutContext(Qt::ApplicationShortcut);
    connect(series, &QAction::triggered, this, &Form1::show_series);
    addAction(series);

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
        analysis_->set_series_command([this] { show_series(); });
    }
    analysis_->show_analysis(lab_.run_record, decimal_separator());
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
