// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_explanation.h"
#include "analysis/swing_analysis.h"
#include "shell/report_pdf.h"

#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

class QLabel;
class QPushButton;
class QTableView;
class QTableWidget;

namespace vp {

class AmplitudeChart;
class Clock;
class EnergyChart;
class FileDialogs;
class PhaseChart;
class RunRecord;
class SwingTableModel;
struct SaveOutcome;

// What the report of the analysis window asks of the main window.
struct AnalysisReportHost {
    FileDialogs* dialogs = nullptr;
    // Where the save dialog proposes to write.
    QString working_directory;
    // A save that failed.
    std::function<void(const SaveOutcome&)> report;
    // Draws the plane or the time graphs of the kept run as the main window
    // shows them.
    ReportPictureDrawing draw_run_picture;
};

// "Анализ колебаний": the turning points and swings of the kept run with
// the theory of each swing at its own amplitude; the measured period, Θ, Q,
// δ and the two drags measured apart, beside the characteristics of the run
// and beside the theory of its amplitudes and drags; where the energy went
// and the drag regime; the phase portrait, the amplitudes on a logarithmic
// scale with the fitted line and curve, and the energy ledger; the button
// "Копировать таблицу" and the button "Отчёт (PDF)…", which writes all of
// this with the parameters, the characteristics and the main window's
// pictures as a laboratory report. A window of its own, not modal: the main
// window keeps one and shows it again when it is chosen.
//
// During a run the main window reports every step; the window reads the new
// steps at once (a few operations each) but redraws its table and plots at
// most four times a second by the clock it is given, and at once when the
// run has ended or a new one has begun.
class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr double refresh_interval = 0.25; // s

    explicit AnalysisWindow(const Clock& clock, QWidget* parent = nullptr);
    ~AnalysisWindow() override;

    // The item was chosen: shows the window, restored if minimised and
    // raised over the others, with the kept run read to its end.
    void show_analysis(const RunRecord& run, std::string_view decimal_separator);
    // After each step and after the end of a run; nothing while the window
    // is closed (showing it reads what it has missed).
    void update_analysis(const RunRecord& run, std::string_view decimal_separator);

    // The button "Серия опытов…" opens the series window through this.
    void set_series_command(std::function<void()> command) { series_command_ = std::move(command); }
    void set_report_host(AnalysisReportHost host) { report_host_ = std::move(host); }

    // "Отчёт (PDF)…": asks who made it and where to write it, and writes the
    // report of the kept run there.
    void save_report();

    const SwingAnalysis& analysis() const { return analysis_; }
    // What "Копировать таблицу" puts on the clipboard.
    QString table_text() const;

private:
    void read(const RunRecord& run, std::string_view decimal_separator);
    void refresh(const RunRecord& run);
    void show_status(const RunRecord& run);
    void show_summary();
    void show_explanation();
    void mark_changes();
    // The report of the kept run as it stands, and its pictures.
    ReportDocument report_document(const ReportHeading& heading) const;
    void draw_report_picture(ReportFigure figure, QPainter& painter, const QRectF& rect) const;

    const Clock& clock_;
    SwingAnalysis analysis_;
    RunExplanation explanation_;
    std::string separator_ = ".";
    bool run_started_ = false;
    bool run_ended_ = false;
    std::uint64_t shown_run_ = 0;
    double last_refresh_ = 0;

    QLabel* status_ = nullptr;
    QTableView* table_ = nullptr;
    SwingTableModel* model_ = nullptr;
    QTableWidget* summary_ = nullptr;
    QLabel* explanation_text_ = nullptr;
    std::unique_ptr<PhaseChart> phase_;
    std::unique_ptr<AmplitudeChart> amplitudes_;
    std::unique_ptr<EnergyChart> energy_;
    QPushButton* copy_ = nullptr;
    QPushButton* series_ = nullptr;
    QPushButton* report_ = nullptr;
    std::function<void()> series_command_;
    AnalysisReportHost report_host_;
    // The run last read, and who made the report, kept while the window lives.
    const RunRecord* run_ = nullptr;
    QString author_;
};

} // namespace vp
