// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/analysis_window.h"

#include "analysis/explanation_texts.h"
#include "analysis/run_record.h"
#include "analysis/table_texts.h"
#include "platform/clock.h"
#include "report/run_report.h"
#include "shell/analysis_charts.h"
#include "shell/picture_export.h"
#include "shell/scrolling_window.h"
#include "texts/number_text.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

constexpr int table_columns = static_cast<int>(swing_columns);

QString text_of(const std::string& s)
{
    return QString::fromStdString(s);
}

QChartView* small_chart(QChart*& chart, const char* name)
{
    chart = new QChart;
    chart->legend()->hide();
    // Axis numbers with the user's decimal separator, as in the table.
    chart->setLocalizeNumbers(true);
    chart->setMargins(QMargins(2, 2, 2, 2));
    auto* view = new QChartView(chart);
    view->setObjectName(QString::fromUtf8(name));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 260);
    return view;
}

} // namespace

// The turning points as the table shows them, with a row where the physics
// changed before the first point of each new part; rows are added as the
// run finds them, never rebuilt while the same run goes on.
class SwingTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const SwingAnalysis& a, const std::string& separator, bool new_run)
    {
        const int rows = static_cast<int>(a.turning_points().size() + a.changes().size());
        if (new_run || separator != separator_ || rows < rows_) {
            beginResetModel();
            analysis_ = &a;
            separator_ = separator;
            rows_ = rows;
            endResetModel();
        } else if (rows > rows_) {
            beginInsertRows(QModelIndex(), rows_, rows - 1);
            rows_ = rows;
            endInsertRows();
        }
    }

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : table_columns; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= table_columns)
            return {};
        const std::string_view title = swing_headings()[static_cast<std::size_t>(section)];
        return QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size()));
    }

    // The row of the change before each new part's first point, -1 for none.
    int change_row(std::size_t change) const
    {
        if (analysis_ == nullptr || change >= analysis_->changes().size())
            return -1;
        const int row = static_cast<int>(analysis_->changes()[change].first_point + change);
        return row < rows_ ? row : -1;
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (analysis_ == nullptr || (role != Qt::DisplayRole && role != Qt::TextAlignmentRole))
            return {};
        // Which point the row shows, past the changes before it.
        std::size_t point = static_cast<std::size_t>(index.row());
        for (std::size_t k = 0; k < analysis_->changes().size(); ++k) {
            const int row = change_row(k);
            if (row == index.row()) {
                if (role == Qt::TextAlignmentRole)
                    return QVariant(Qt::AlignCenter);
                return index.column() == 0 ? text_of(physics_change_text(analysis_->changes()[k].t, separator_))
                                           : QVariant();
            }
            if (row >= 0 && row < index.row())
                --point;
        }
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        // The analysis may be ahead of the rows shown, or a new run behind them.
        if (point >= analysis_->turning_points().size())
            return {};
        if (index.column() == 0)
            return static_cast<qulonglong>(point + 1);
        return text_of(swing_row(point + 1, analysis_->turning_points()[point],
                                 separator_)[static_cast<std::size_t>(index.column())]);
    }

private:
    const SwingAnalysis* analysis_ = nullptr;
    std::string separator_;
    int rows_ = 0;
};

AnalysisWindow::AnalysisWindow(const Clock& clock, QWidget* parent) : QWidget(parent), clock_(clock)
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Анализ колебаний"));
    setObjectName(QStringLiteral("AnalysisWindow"));

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("AnalysisStatus"));
    status_->setWordWrap(true);

    model_ = new SwingTableModel(this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("SwingTable"));
    table_->setModel(model_);
    table_->verticalHeader()->hide();
    // Widths from sample texts: fitting the columns to their contents would
    // measure every row at every redraw of a long run.
    const QFontMetrics metrics = table_->fontMetrics();
    int table_width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < table_columns; ++column) {
        const QString widest = column == 0 ? QStringLiteral("0000") : QStringLiteral("-0.000E+00");
        const QString title = model_->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        table_->setColumnWidth(column,
                               std::max(metrics.horizontalAdvance(widest), metrics.horizontalAdvance(title)) + 10);
        table_width += table_->columnWidth(column);
    }
    table_->setMinimumWidth(table_width);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);

    summary_ = new QTableWidget(0, static_cast<int>(summary_columns));
    summary_->setObjectName(QStringLiteral("SwingSummary"));
    QStringList headings;
    for (const std::string_view heading : summary_headings())
        headings << QString::fromUtf8(heading.data(), static_cast<qsizetype>(heading.size()));
    summary_->setHorizontalHeaderLabels(headings);
    summary_->verticalHeader()->hide();
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary_->horizontalHeader()->setStretchLastSection(true);
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    const int summary_rows = static_cast<int>(analysis_.comparisons().size());
    summary_->setRowCount(summary_rows);
    summary_->setFixedHeight(summary_->horizontalHeader()->sizeHint().height() +
                             summary_rows * summary_->verticalHeader()->defaultSectionSize() +
                             2 * summary_->frameWidth() + summary_->horizontalScrollBar()->sizeHint().height());
    summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    explanation_text_ = new QLabel;
    explanation_text_->setObjectName(QStringLiteral("AnalysisExplanation"));
    explanation_text_->setWordWrap(true);
    explanation_text_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    QChart* chart = nullptr;
    QChartView* phase_view = small_chart(chart, "PhasePortrait");
    phase_ = std::make_unique<PhaseChart>(chart);
    QChartView* amplitude_view = small_chart(chart, "AmplitudePlot");
    amplitudes_ = std::make_unique<AmplitudeChart>(chart);
    QChartView* energy_view = small_chart(chart, "EnergyPlot");
    energy_ = std::make_unique<EnergyChart>(chart);
    chart->legend()->show();
    chart->legend()->setAlignment(Qt::AlignBottom);

    copy_ = new QPushButton(QStringLiteral("Копировать таблицу"));
    copy_->setObjectName(QStringLiteral("CmdCopyTable"));
    connect(copy_, &QPushButton::clicked, this, [this] { QGuiApplication::clipboard()->setText(table_text()); });

    series_ = new QPushButton(QStringLiteral("Серия опытов…"));
    series_->setObjectName(QStringLiteral("CmdSeries"));
    series_->setToolTip(QStringLiteral("Расчёт серии опытов: зависимость от одной из величин (Ctrl+R)"));
    connect(series_, &QPushButton::clicked, this, [this] {
        if (series_command_)
            series_command_();
    });

    report_ = new QPushButton(QStringLiteral("Отчёт (PDF)…"));
    report_->setObjectName(QStringLiteral("CmdReport"));
    report_->setToolTip(QStringLiteral("Отчёт о лабораторной работе: параметры, характеристики, графики, таблицы и "
                                       "сравнение с теорией в одном файле PDF"));
    connect(report_, &QPushButton::clicked, this, &AnalysisWindow::save_report);

    auto* words = new QVBoxLayout;
    words->addWidget(summary_);
    words->addWidget(explanation_text_, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(table_);
    top->addLayout(words, 1);
    auto* plots = new QHBoxLayout;
    plots->addWidget(phase_view, 1);
    plots->addWidget(amplitude_view, 1);
    plots->addWidget(energy_view, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(series_);
    bottom->addStretch(1);
    bottom->addWidget(copy_);
    bottom->addWidget(report_);
    QVBoxLayout* all = scrolling_content(*this, "analysisScroller");
    all->addWidget(status_);
    all->addLayout(top, 1);
    all->addLayout(plots, 1);
    all->addLayout(bottom);
    // Wide enough for the table and the summary side by side, on the screen.
    resize(on_screen_size({1620, 950}));
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::show_analysis(const RunRecord& run, std::string_view decimal_separator)
{
    read(run, decimal_separator);
    refresh(run);
    // Minimised, it comes back as it was before.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

void AnalysisWindow::update_analysis(const RunRecord& run, std::string_view decimal_separator)
{
    if (!isVisible())
        return;
    const bool new_run = run.run_number() != shown_run_;
    read(run, decimal_separator);
    if (new_run || run_ended_ || clock_.seconds() - last_refresh_ >= refresh_interval)
        refresh(run);
}

void AnalysisWindow::read(const RunRecord& run, std::string_view decimal_separator)
{
    analysis_.update(run);
    explanation_ = explain_run(run);
    separator_ = std::string(decimal_separator);
    run_started_ = run.started();
    run_ended_ = run.finished();
    run_ = &run;
}

ReportDocument AnalysisWindow::report_document(const ReportHeading& heading) const
{
    static const RunRecord none;
    return run_report(run_ != nullptr ? *run_ : none, analysis_, explanation_, heading, separator_);
}

void AnalysisWindow::save_report()
{
    if (report_host_.dialogs == nullptr || run_ == nullptr)
        return;
    const SaveOutcome outcome = vp::save_report(
        *report_host_.dialogs, author_, QDir(report_host_.working_directory).filePath(QStringLiteral("report.pdf")),
        [this](const ReportHeading& heading) { return report_document(heading); },
        [this](ReportFigure figure, QPainter& painter, const QRectF& rect) {
            draw_report_picture(figure, painter, rect);
        },
        clock_.today());
    if (report_host_.report)
        report_host_.report(outcome);
}

void AnalysisWindow::draw_report_picture(ReportFigure figure, QPainter& painter, const QRectF& rect) const
{
    // The plots as the window draws them, on a chart of their own so that
    // the window's are left as they are; a chart as wide as the window's.
    constexpr double chart_width = 480;
    QChart chart;
    chart.legend()->hide();
    chart.setLocalizeNumbers(true);
    chart.setMargins(QMargins(2, 2, 2, 2));
    switch (figure) {
    case ReportFigure::amplitudes: {
        AmplitudeChart amplitudes(&chart);
        amplitudes.show(analysis_, separator_);
        draw_chart(chart, painter, rect, chart_width);
        return;
    }
    case ReportFigure::energy_ledger: {
        EnergyChart energy(&chart);
        energy.show(*run_);
        chart.legend()->show();
        chart.legend()->setAlignment(Qt::AlignBottom);
        draw_chart(chart, painter, rect, chart_width);
        return;
    }
    case ReportFigure::plane:
    case ReportFigure::time_graphs:
        if (report_host_.draw_run_picture)
            report_host_.draw_run_picture(figure, painter, rect);
        return;
    case ReportFigure::series_plot: return;
    }
}

QString AnalysisWindow::table_text() const
{
    return text_of(swing_table_text(analysis_, explanation_, run_ended_, separator_));
}

void AnalysisWindow::refresh(const RunRecord& run)
{
    const bool new_run = run.run_number() != shown_run_;
    shown_run_ = run.run_number();
    last_refresh_ = clock_.seconds();
    model_->show(analysis_, separator_, new_run);
    // A report tells of a whole run: it waits for the run's end.
    report_->setEnabled(run_started_ && run_ended_);
    mark_changes();
    show_status(run);
    show_summary();
    show_explanation();
    phase_->show(run, analysis_);
    amplitudes_->show(analysis_, separator_);
    energy_->show(run);
}

void AnalysisWindow::mark_changes()
{
    table_->clearSpans();
    for (std::size_t k = 0; k < analysis_.changes().size(); ++k)
        if (const int row = model_->change_row(k); row >= 0)
            table_->setSpan(row, 0, 1, table_columns);
}

void AnalysisWindow::show_status(const RunRecord& run)
{
    status_->setText(text_of(analysis_status_text(analysis_, run_started_, run_ended_, run.size(), separator_)));
}

void AnalysisWindow::show_summary()
{
    const std::vector<Comparison> rows = analysis_.comparisons();
    summary_->setVisible(!analysis_.aperiodic());
    summary_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const std::array<std::string, summary_columns> cells =
            summary_row(rows[static_cast<std::size_t>(i)], separator_);
        for (int column = 0; column < static_cast<int>(summary_columns); ++column) {
            QTableWidgetItem* item = summary_->item(i, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                summary_->setItem(i, column, item);
            }
            item->setText(text_of(cells[static_cast<std::size_t>(column)]));
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

void AnalysisWindow::show_explanation()
{
    explanation_text_->setVisible(run_started_);
    QString text;
    if (explanation_.energy)
        text = text_of(energy_text(*explanation_.energy, separator_)) + QLatin1Char('\n');
    explanation_text_->setText(text + text_of(regime_text(explanation_.drag, separator_)));
}

} // namespace vp
