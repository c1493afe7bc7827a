// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"
#include "graphs/plane_copy.h"
#include "input/input_panel.h"
#include "input/validation.h"
#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/run.h"
#include "report/report_document.h"
#include "shell/analysis_window.h"
#include "shell/controls.h"
#include "shell/form2.h"
#include "shell/results_recording.h"
#include "shell/series_window.h"
#include "shell/services.h"
#include "shell/step_pacing.h"

#include <QMainWindow>

#include <cstddef>
#include <vector>

class QChartView;
#include <QPointer>

namespace vp {

struct ExportablePicture;
struct Pictures;
struct SaveOutcome;

// Everything the laboratory knows: the quantities, what follows from them,
// the state of a run and the warnings already given.
struct LabState {
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    Characteristics c;
    RunState s;
    WarningMemories memories;
    // Where the animation copies the plane from and to, set by each layout.
    PlaneCopyRects plane_copy;
    // 0 while the window is being set up: nothing is laid out or drawn then.
    int zagruzka = 0;
    // Monotonic time at the start press of the current run, s.
    double run_started = 0;
    // Every step of the latest run, for the measuring tools.
    RunRecord run_record;
};

// The main window. It holds the controls and the laboratory's state, and
// mediates between them: its handlers read the controls, let the model, the
// input checks and the drawing decide, and show what they decided. During a
// run it is the observer of the integration loop: it draws each step,
// writes the results row and pauses. Its boxes are the laboratory's input
// panel, on which the boxes' handlers and the parameter file's loader work.
class Form1 : public QMainWindow, private RunObserver, private InputPanel {
    Q_OBJECT
public:
    explicit Form1(const Services& services, QWidget* parent = nullptr);
    ~Form1() override;

    // The one operation that re-lays out, recomputes and redraws; the
    // input handlers, the zoom bars and the start of a run call it directly.
    void Form_Resize();

    // The start/stop button; nested inside a run's pause it stops the run.
    void CmdOK_Click();
    // The heading of the parameter panel: loads the parameter file.
    void Label10_Click();
    // The results-file check box.
    void Check_p_Click();

    const LabState& lab() const { return lab_; }
    const Controls& controls() const { return controls_; }
    QWidget* client_area() const { return client_; }
    bool run_in_progress() const { return run_.phase() != RunControl::Phase::idle; }
    Form2* authors_window() const { return form2_; }
    AnalysisWindow* analysis_window() const { return analysis_; }
    SeriesWindow* series_window() const { return series_; }

    // "Серия опытов…" (the pictures' menus, the analysis window, Ctrl+R).
    void show_series();
    // The laboratory's inputs as they stand, where a series starts from.
    LabInputs series_inputs() const;
    // A point of a series into the boxes, as the parameter file is loaded:
    // the quantities first, then each box's text, whose handler runs where
    // the text changes. Refused (false) while a run is in progress.
    bool place_inputs(const LabInputs& inputs);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Start-up and the one redraw.
    void Form_Load();
    void fit_on_screen(const QRect& available);
    void predvar();
    void show_setting(QLabel* label, const QString& spoken, int value);
    void parametr();
    void layout();
    void show_graphs();
    void redraw_pictures();
    void draw_axes(const Pictures& all) const;
    Pictures pictures() const;
    Pictures redrawn_pictures() const;
    void settle_pictures();

    // The run (form1_run.cpp).
    void start_computation();
    void request_stop();
    void step_done(const RunState& s) override;
    // Returns what the results file has to say about the run, if anything.
    std::optional<Message> end_of_run();
    void show_run_caption();
    void show_current_values();
    void hold_pictures(bool held);
    void signal(int n);
    void Wait(double seconds);
    // The pause after each step, 10 ms times the slow-down, s.
    double step_period() const { return 0.01 * lab_.run.zamedlenie; }
    void lock_for_run(bool locked);
    void set_resizable(bool resizable);

    // The inputs and the files (form1_input.cpp).
    Parameters& parameters() override { return lab_.p; }
    WarningMemories& memories() override { return lab_.memories; }
    std::string box_text(Quantity q) const override;
    void write_box(Quantity q, const std::string& text) override;
    void write_back(Quantity q, const std::string& text) override;
    void box_message(Quantity q, const Message& message) override;
    void apply_visibility(const Visibility& v) override;
    void redraw() override { Form_Resize(); }
    std::array<std::string, quantity_count> box_texts() const;
    void write_results_head();
    void bring_results_head_up_to_date();
    void write_results_row();
    void close_results_file();

    // The measuring tools (form1_tools.cpp).
    void build_tools();
    void show_analysis();
    void attach_plot_export(QChartView* plot);
    void follow_analysis();
    void save_run_data_with_progress();
    void report(const SaveOutcome& outcome);
    ExportablePicture exportable(const CanvasWidget* shown) const;
    void draw_pictures_again(const Pictures& all, const std::vector<std::size_t>* steps = nullptr) const;
    // How a picture is drawn again for a save or a report.
    struct Redraw {
        const std::vector<std::size_t>* steps = nullptr; // the run's steps drawn; none: all since the last redraw
        QString family;                                  // of the texts; empty: the screen's
        double size = 1;  // the pictures' sizes times this: below 1, their texts larger beside them
        QSize graph_size; // px, of each time graph; empty: the screen's times `size`
    };
    void draw_picture_again(std::size_t which, QPainter& painter, const Redraw& how) const;
    void draw_report_picture(ReportFigure figure, QPainter& painter, const QRectF& rect) const;

    // The menus (form1_menus.cpp).
    void build_menus();
    void open_document(const char* file_name);
    void mnuHelpInstruction_Click();
    void mnuHelpAvtors_Click();
    void mnuHelpAbout_Click();
    void mnuHelpAbout2_Click();
    void mnuFileExit_Click();

    QString in_working_directory(const QString& file_name) const;
    std::string decimal_separator() const;
    void show_message(const QString& title, const QString& text);
    void show_message(const Message& message);

    Services services_;
    LabState lab_;
    RunControl run_;
    QWidget* client_ = nullptr;
    Controls controls_;
    ResultsRecording results_file_;
    // The box texts in the head of the open results file.
    std::array<std::string, quantity_count> head_texts_;
    QPointer<Form2> form2_;
    QPointer<AnalysisWindow> analysis_;
    QPointer<SeriesWindow> series_;
    // Keeps a run at one step per pause period on the wall clock.
    StepPacing pacing_;
    // Paced run time left before the next frame is shown, s.
    double frame_wait_ = 0;
    // The pictures and readouts show an earlier step than the last.
    bool screen_behind_ = false;
    bool fitted_when_framed_ = false;
    // The steps of the kept run the pictures show: those after the last
    // redraw, of the run then kept (a run that started since shows all).
    std::uint64_t shown_run_ = 0;
    std::size_t shown_from_ = 0;
    // The maximised or full-screen state a run keeps the window in.
    Qt::WindowStates held_state_ = Qt::WindowNoState;
    QSize unlocked_minimum_;
    QSize unlocked_maximum_;
};

} // namespace vp
