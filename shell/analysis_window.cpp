// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/analysis_window.h"

#include "analysis/run_record.h"
#include "analysis/table_texts.h"
#include "model/number_text.h"
#include "platform/clock.h"

#include <QAbstractTableModel>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPushButton>
#include <QScatterSeries>
#include <QScrollBar>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

// The plots draw at most this many points of a long run, evenly spread: a
// scatter point costs the chart a graphics item of its own.
constexpr std::size_t phase_points = 4000;
constexpr std::size_t amplitude_points = 400;

QString text_of(const std::string& s)
{
    return QString::fromStdString(s);
}

// A range with some room around it; a point gets a unit range.
std::pair<double, double> padded(double low, double high)
{
    const double span = high - low;
    if (!(span > 0))
        return {low - 0.5, high + 0.5};
    return {low - 0.05 * span, high + 0.05 * span};
}

QChartView* small_chart(const QString& title, QChart*& chart)
{
    chart = new QChart;
    chart->setTitle(title);
    chart->legend()->hide();
    // Axis numbers with the user's decimal separator, as in the table.
    chart->setLocalizeNumbers(true);
    chart->setMargins(QMargins(2, 2, 2, 2));
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(320, 220);
    return view;
}

} // namespace

// The turning points as the table shows them; rows are added as the run
// finds them, never rebuilt while the same run goes on.
class SwingTableModel final : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(const SwingAnalysis& a, const std::string& separator, bool new_run)
    {
        const int rows = static_cast<int>(a.turning_points().size());
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
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 7; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        static const char* const titles[] = {"№", "t, c", "φ, °", "A, °", "T, c", "A(n−2)/A(n)", "Θ"};
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= 7)
            return {};
        return QString::fromUtf8(titles[section]);
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role == Qt::TextAlignmentRole)
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        // The analysis may be ahead of the rows shown, or a new run behind them.
        if (role != Qt::DisplayRole || analysis_ == nullptr ||
            static_cast<std::size_t>(index.row()) >= analysis_->turning_points().size())
            return {};
        const TurningPoint& p = analysis_->turning_points()[static_cast<std::size_t>(index.row())];
        auto shown = [this](const std::optional<double>& v, const char* mask) {
            return v ? text_of(with_decimal_separator(format_number(*v, mask), separator_)) : QString();
        };
        // Near the critical viscosity the overshoot is a few thousandths of a
        // degree or less: it must not read as zero.
        auto angle = [&shown](double v) { return shown(v, v != 0 && std::abs(v) < 0.001 ? "0.000E+00" : "0.000"); };
        switch (index.column()) {
        case 0: return index.row() + 1;
        case 1: return shown(p.t, "0.0000");
        case 2: return angle(p.fi_deg);
        case 3: return angle(p.amplitude);
        case 4: return shown(p.period, "0.0000");
        case 5: return shown(p.ratio, "0.00000");
        case 6: return shown(p.log_decrement, "0.000E+00");
        default: return {};
        }
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
    for (int column = 0; column < model_->columnCount(QModelIndex()); ++column) {
        const QString widest = column == 0 ? QStringLiteral("0000") : QStringLiteral("-0.000E+00");
        table_->setColumnWidth(column, metrics.horizontalAdvance(widest) + 14);
        table_width += table_->columnWidth(column);
    }
    table_->setMinimumWidth(table_width);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);

    summary_ = new QTableWidget(0, 4);
    summary_->setObjectName(QStringLiteral("SwingSummary"));
    summary_->setHorizontalHeaderLabels({QStringLiteral("Величина"), QStringLiteral("Измерено"),
                                         QStringLiteral("Теория"), QStringLiteral("Отличие, %")});
    summary_->verticalHeader()->hide();
    summary_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    summary_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    summary_->setRowCount(5);
    summary_->setFixedHeight(summary_->horizontalHeader()->sizeHint().height() +
                             5 * summary_->verticalHeader()->defaultSectionSize() + 2 * summary_->frameWidth());
    summary_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    QChart* phase_chart = nullptr;
    QChartView* phase_view = small_chart(QStringLiteral("Фазовый портрет"), phase_chart);
    phase_view->setObjectName(QStringLiteral("PhasePortrait"));
    phase_ = new QLineSeries;
    phase_chart->addSeries(phase_);
    phase_fi_ = new QValueAxis;
    phase_fi_->setTitleText(QStringLiteral("φ, °"));
    phase_wz_ = new QValueAxis;
    phase_wz_->setTitleText(QStringLiteral("ω, рад/с"));
    phase_chart->addAxis(phase_fi_, Qt::AlignBottom);
    phase_chart->addAxis(phase_wz_, Qt::AlignLeft);
    phase_->attachAxis(phase_fi_);
    phase_->attachAxis(phase_wz_);

    QChart* amplitude_chart = nullptr;
    QChartView* amplitude_view = small_chart(QStringLiteral("Амплитуды и их подгонка"), amplitude_chart);
    amplitude_view->setObjectName(QStringLiteral("AmplitudePlot"));
    amplitudes_ = new QScatterSeries;
    amplitudes_->setMarkerSize(7);
    fit_ = new QLineSeries;
    amplitude_chart->addSeries(amplitudes_);
    amplitude_chart->addSeries(fit_);
    amplitude_t_ = new QValueAxis;
    amplitude_t_->setTitleText(QStringLiteral("t, c"));
    amplitude_a_ = new QLogValueAxis;
    amplitude_a_->setTitleText(QStringLiteral("|A|, °"));
    // With localised numbers a bare "%g" gives no labels at all.
    amplitude_a_->setLabelFormat(QStringLiteral("%.3g"));
    amplitude_chart->addAxis(amplitude_t_, Qt::AlignBottom);
    amplitude_chart->addAxis(amplitude_a_, Qt::AlignLeft);
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(amplitudes_), static_cast<QAbstractSeries*>(fit_)}) {
        s->attachAxis(amplitude_t_);
        s->attachAxis(amplitude_a_);
    }

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

    auto* plots = new QVBoxLayout;
    plots->addWidget(summary_);
    plots->addWidget(phase_view, 1);
    plots->addWidget(amplitude_view, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(table_);
    middle->addLayout(plots, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(series_);
    bottom->addStretch(1);
    bottom->addWidget(copy_);
    auto* all = new QVBoxLayout(this);
    all->addWidget(status_);
    all->addLayout(middle, 1);
    all->addLayout(bottom);
    resize(1120, 700);
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::show_analysis(const RunRecord& run, std::string_view decimal_separator)
{
    read(run, decimal_separator);
    refresh(run);
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
    separator_ = std::string(decimal_separator);
    run_started_ = run.started();
    run_ended_ = run.finished();
}

QString AnalysisWindow::table_text() const
{
    return text_of(swing_table_text(analysis_, run_ended_, separator_));
}

QString AnalysisWindow::number(double value, const char* mask) const
{
    return text_of(with_decimal_separator(format_number(value, mask), separator_));
}

void AnalysisWindow::refresh(const RunRecord& run)
{
    const bool new_run = run.run_number() != shown_run_;
    shown_run_ = run.run_number();
    last_refresh_ = clock_.seconds();
    model_->show(analysis_, separator_, new_run);
    show_status(run);
    show_summary();
    plot_phase(run);
    plot_amplitudes();
}

void AnalysisWindow::show_status(const RunRecord& run)
{
    if (!run_started_) {
        status_->setText(QStringLiteral("Расчёта ещё не было: запустите расчёт кнопкой «ПУСК»."));
        return;
    }
    QString text = QStringLiteral("Положение равновесия: %1°. Точек поворота: %2.")
                       .arg(analysis_.equilibrium())
                       .arg(analysis_.turning_points().size());
    if (analysis_.went_over_the_top())
        text += QStringLiteral(" Тело переходило через верхнее положение.");
    if (analysis_.aperiodic()) {
        if (!run_ended_) {
            text += QStringLiteral(" Точек поворота пока нет.");
        } else if (const std::optional<double> tau = analysis_.e_fold_time()) {
            text += QStringLiteral(" Движение апериодическое: отклонение от равновесия спадает в e раз за %1 c.")
                        .arg(number(*tau, "0.000"));
        } else {
            text += QStringLiteral(" Движение апериодическое; за время расчёта отклонение не уменьшилось в e раз.");
        }
    }
    if (!run_ended_)
        text += QStringLiteral(" Идёт расчёт (%1 шагов).").arg(run.size());
    status_->setText(text);
}

void AnalysisWindow::show_summary()
{
    const std::vector<Comparison> rows = analysis_.comparisons();
    summary_->setVisible(!analysis_.aperiodic());
    summary_->setRowCount(static_cast<int>(rows.size()));
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        const Comparison& c = rows[static_cast<std::size_t>(i)];
        QString name = QString::fromUtf8(c.symbol);
        if (*c.unit != '\0')
            name += QStringLiteral(", ") + QString::fromUtf8(c.unit);
        auto value = [this](const std::optional<double>& v, const char* mask) {
            return v ? number(*v, mask) : QStringLiteral("—");
        };
        const QString cells[4] = {name, value(c.measured, "0.0000E+00"), value(c.theory, "0.0000E+00"),
                                  value(c.difference_percent, "0.00")};
        for (int column = 0; column < 4; ++column) {
            QTableWidgetItem* item = summary_->item(i, column);
            if (item == nullptr) {
                item = new QTableWidgetItem;
                summary_->setItem(i, column, item);
            }
            item->setText(cells[column]);
            item->setTextAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        }
    }
}

void AnalysisWindow::plot_phase(const RunRecord& run)
{
    const std::size_t n = analysis_.steps_read();
    const std::size_t stride = std::max<std::size_t>(1, (n + phase_points - 1) / phase_points);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(n / stride + 1));
    for (std::size_t i = 0; i < n; i += stride)
        points.append(QPointF(run.value(i, RunColumn::fi_deg), run.value(i, RunColumn::wz)));
    phase_->replace(points);
    if (n == 0)
        return;
    const auto [fi_low, fi_high] = padded(analysis_.fi_min(), analysis_.fi_max());
    const auto [wz_low, wz_high] = padded(analysis_.wz_min(), analysis_.wz_max());
    phase_fi_->setRange(fi_low, fi_high);
    phase_wz_->setRange(wz_low, wz_high);
    phase_fi_->applyNiceNumbers();
    phase_wz_->applyNiceNumbers();
}

void AnalysisWindow::plot_amplitudes()
{
    QList<QPointF> points;
    double low = 0, high = 0, t_end = 0;
    const std::vector<TurningPoint>& all = analysis_.turning_points();
    const std::size_t stride = std::max<std::size_t>(1, (all.size() + amplitude_points - 1) / amplitude_points);
    for (std::size_t i = 0; i < all.size(); i += stride) {
        const TurningPoint& p = all[i];
        const double a = std::abs(p.amplitude);
        if (!(a > 0))
            continue;
        if (points.isEmpty())
            low = high = a;
        low = std::min(low, a);
        high = std::max(high, a);
        points.append(QPointF(p.t, a));
    }
    if (!all.empty())
        t_end = all.back().t;
    amplitudes_->replace(points);
    QList<QPointF> line;
    const std::optional<AmplitudeFit> f = analysis_.amplitude_fit();
    if (f && !points.isEmpty()) {
        for (const double t : {points.constFirst().x(), t_end})
            line.append(QPointF(t, std::exp(f->ln_amplitude_at_zero - f->delta * t)));
        for (const QPointF& p : line) {
            low = std::min(low, p.y());
            high = std::max(high, p.y());
        }
    }
    fit_->replace(line);
    if (points.isEmpty())
        return;
    amplitude_t_->setRange(0, std::max(t_end * 1.05, 1e-9));
    amplitude_t_->applyNiceNumbers();
    // Powers of ten are too far apart for a decay over a few swings: the
    // axis then counts in doublings.
    amplitude_a_->setBase(high / low < 100 ? 2 : 10);
    amplitude_a_->setRange(low / 1.25, high * 1.25);
}

} // namespace vp
