// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "series/box_entry.h"
#include "series/series.h"
#include "series/series_values.h"
#include "series/threshold.h"
#include "series/workers.h"

#include <QDate>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QChart;
class QChartView;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTableView;
class QTimer;

namespace vp {

class FileDialogs;
class SeriesTableModel;
struct SaveOutcome;

// What the series window asks of the main window.
struct SeriesHost {
    // The laboratory as it stands: the quantities, their boxes' texts, the
    // run settings.
    std::function<LabInputs()> inputs;
    // Puts a point's quantities into the main window's boxes through their
    // handlers; false when the main window cannot take them now (a run).
    std::function<bool(const LabInputs&)> load;
    std::function<std::string()> decimal_separator;
    // A save that failed.
    std::function<void(const SaveOutcome&)> report;
    FileDialogs* dialogs = nullptr;
    // Where the save dialogs propose to write.
    QString working_directory;
    // The day a report is dated.
    std::function<QDate()> today;
};

// "Серия опытов": the laboratory run at many values of one of its thirteen
// quantities, each point as "ПУСК" would run it, in parallel, without
// pause or drawing. The quantity is chosen by its box's label, the values as
// a range (evenly or in ratio) or as a list; "Рассчитать" computes them and
// "Стоп" ends the series at once. The table gives one row per point, the
// plot a measured column against the varied quantity with its theory,
// "Сохранить отчёт…" writes both with the quantities as a PDF report;
// "Граница апериодичности" finds the value where the motion turns aperiodic.
// A click on a row puts that point's quantities into the main window.
//
// Not modal; the main window keeps one and shows it again when chosen. The
// work runs on worker threads; the points come back to this window's thread
// one by one, and the window stays responsive.
class SeriesWindow : public QWidget {
    Q_OBJECT
public:
    SeriesWindow(SeriesHost host, QWidget* parent = nullptr);
    ~SeriesWindow() override;

    // Shows the window, raised over the others.
    void show_window();

    // The buttons.
    void calculate();
    void stop();
    void find_threshold();
    void copy_table();
    void save_data();
    void save_image();
    // "Сохранить отчёт…": the series' quantities, table and plot as a PDF.
    void save_report();
    // A click on a row.
    void load_row(int row);

    // A series or a threshold is being computed.
    bool busy() const { return series_ != nullptr || threshold_ != nullptr; }
    // The points of the latest series, by row; empty where not computed.
    const std::vector<std::optional<SeriesPoint>>& points() const { return points_; }
    // What "Копировать таблицу" puts on the clipboard.
    QString table_text() const;
    QString status_text() const;
    QString threshold_text() const;
    // The latest threshold found, if any.
    const std::optional<Threshold>& threshold() const { return threshold_result_; }

signals:
    void series_finished();
    void threshold_finished();

private:
    void build();
    void quantity_chosen();
    void fit_columns();
    void point_arrived(std::uint64_t generation, std::size_t index, const SeriesPoint& point);
    void series_ended(std::uint64_t generation);
    void threshold_progress(std::uint64_t generation, int runs);
    void threshold_ended(std::uint64_t generation, const std::optional<Threshold>& result);
    void show_buttons();
    void show_threshold(const Threshold& t);
    void refresh_plot();
    // The plot chosen, of the points come back, on `chart`; markers drawn as
    // images on the screen, as vectors in a report.
    void fill_plot(QChart& chart, bool image_markers) const;
    std::vector<SeriesPoint> table_points() const;
    Quantity chosen_quantity() const;
    SeriesValues chosen_values() const;
    std::string separator() const { return host_.decimal_separator ? host_.decimal_separator() : "."; }

    SeriesHost host_;
    // The series on view: its request, and the points that have come back.
    std::optional<SeriesRequest> request_;
    Spacing spacing_ = Spacing::linear;
    std::vector<std::optional<SeriesPoint>> points_;
    std::size_t arrived_ = 0;
    bool stopped_ = false;
    // Changes with every start: points of a series stopped and replaced
    // since are not shown.
    std::uint64_t generation_ = 0;
    std::unique_ptr<SeriesRun> series_;
    // The search reads its request on its thread; a new one is made only
    // once the last has ended.
    std::optional<ThresholdRequest> threshold_request_;
    std::unique_ptr<Workers> threshold_;
    std::optional<Threshold> threshold_result_;

    QComboBox* quantity_ = nullptr;
    QRadioButton* by_range_ = nullptr;
    QRadioButton* by_list_ = nullptr;
    QLineEdit* from_ = nullptr;
    QLineEdit* to_ = nullptr;
    QSpinBox* count_ = nullptr;
    QComboBox* spacing_choice_ = nullptr;
    QLineEdit* list_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* threshold_button_ = nullptr;
    QPushButton* report_ = nullptr; // a report waits for the series to end
    QProgressBar* progress_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* threshold_label_ = nullptr;
    QTableView* table_ = nullptr;
    SeriesTableModel* model_ = nullptr;
    QComboBox* plot_choice_ = nullptr;
    QChart* chart_ = nullptr;
    QChartView* chart_view_ = nullptr;
    QTimer* plot_timer_ = nullptr;
    // Who made the reports, kept while the window lives.
    QString author_;
};

} // namespace vp
