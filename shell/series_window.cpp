// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/series_window.h"

#include "input/quantity_table.h"
#include "platform/file_dialogs.h"
#include "report/series_report.h"
#include "series/quantity_names.h"
#include "series/series_table.h"
#include "shell/picture_export.h"
#include "shell/report_pdf.h"
#include "shell/scrolling_window.h"
#include "texts/number_text.h"

#include <QAbstractTableModel>
#include <QBuffer>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFormLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QSpinBox>
#include <QSplitter>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

QString text_of(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The plot is redrawn at most this often while points come in, s.
constexpr int plot_interval_ms = 100;

constexpr int point_marker_size = 8;
const QColor measured_colour(214, 96, 0);

// A measured point: a filled circle with a darker rim.
QImage point_marker()
{
    QImage marker(point_marker_size, point_marker_size, QImage::Format_ARGB32_Premultiplied);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(measured_colour.darker(160), 1));
    painter.setBrush(measured_colour);
    painter.drawEllipse(QRectF(0.5, 0.5, point_marker_size - 1, point_marker_size - 1));
    return marker;
}

// A value as the series' fields show it: the plain number text, "." as in
// the boxes.
QString field_text(double v)
{
    return text_of(bare_number_text(v));
}

// The plot's image: PNG, or a PDF page of the plot's size, drawn as vectors.
SaveOutcome write_chart(QChartView* view, const QString& path)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (QFileInfo(path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) == 0) {
        QPdfWriter pdf(&buffer);
        pdf.setCreator(QStringLiteral("viscous-pendulum"));
        pdf.setPageSize(QPageSize(QSizeF(view->width() * 0.75, view->height() * 0.75), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(96);
        QPainter painter(&pdf);
        view->render(&painter);
    } else if (!view->grab().save(&buffer, "PNG")) {
        return {SaveOutcome::failed, path, QStringLiteral("изображение не получилось")};
    }
    buffer.close();
    return write_bytes(path, bytes.toStdString());
}

} // namespace

// The table of the series: a row per value from the start, the cells filled
// as the points come in.
class SeriesTableModel final : public QAbstractTableModel {
public:
    SeriesTableModel(const SeriesWindow& window, QObject* parent) : QAbstractTableModel(parent), window_(window) {}

    void show(const SeriesRequest* request, std::string separator)
    {
        beginResetModel();
        request_ = request;
        separator_ = std::move(separator);
        endResetModel();
    }
    void point_changed(int row) { emit dataChanged(index(row, 0), index(row, columnCount({}) - 1)); }
    void all_changed()
    {
        if (rowCount({}) > 0)
            emit dataChanged(index(0, 0), index(rowCount({}) - 1, columnCount({}) - 1));
    }
    void set_ended(bool ended) { ended_ = ended; }

    int rowCount(const QModelIndex& parent) const override
    {
        return parent.isValid() || request_ == nullptr ? 0 : static_cast<int>(request_->values.size());
    }
    int columnCount(const QModelIndex& parent) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(series_columns().size());
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 || section >= columnCount({}))
            return {};
        const Quantity q = request_ != nullptr ? request_->varied : Quantity::eta;
        return text_of(column_heading(series_columns()[static_cast<std::size_t>(section)], q));
    }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (request_ == nullptr || index.row() >= rowCount({}))
            return {};
        const SeriesColumnInfo& info = series_columns()[static_cast<std::size_t>(index.column())];
        if (role == Qt::TextAlignmentRole) {
            const bool text = info.column == SeriesColumn::regime || info.column == SeriesColumn::reason;
            return QVariant((text ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
            return {};
        const auto row = static_cast<std::size_t>(index.row());
        const std::optional<SeriesPoint>& point = window_.points()[row];
        if (!point) {
            if (info.column == SeriesColumn::value)
                return field_text(request_->values[row]);
            if (info.column == SeriesColumn::reason && ended_)
                return QStringLiteral("не рассчитано: серия остановлена");
            return {};
        }
        return text_of(shown_cell_text(*point, info, separator_));
    }

private:
    const SeriesWindow& window_;
    const SeriesRequest* request_ = nullptr;
    std::string separator_;
    bool ended_ = false;
};

SeriesWindow::SeriesWindow(SeriesHost host, QWidget* parent) : QWidget(parent), host_(std::move(host))
{
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("Серия опытов"));
    setObjectName(QStringLiteral("SeriesWindow"));
    build();
    resize(on_screen_size({1180, 720}));
}

SeriesWindow::~SeriesWindow()
{
    // The workers are joined before the window they report to goes.
    series_.reset();
    threshold_.reset();
}

void SeriesWindow::build()
{
    quantity_ = new QComboBox;
    quantity_->setObjectName(QStringLiteral("SeriesQuantity"));
    for (const QuantityRow& row : quantity_table())
        quantity_->addItem(text_of(quantity_label(row.quantity)));
    quantity_->setCurrentIndex(static_cast<int>(Quantity::eta));

    by_range_ = new QRadioButton(QStringLiteral("от"));
    by_range_->setObjectName(QStringLiteral("SeriesByRange"));
    by_range_->setChecked(true);
    from_ = new QLineEdit(QStringLiteral("0.001"));
    from_->setObjectName(QStringLiteral("SeriesFrom"));
    to_ = new QLineEdit(QStringLiteral("10"));
    to_->setObjectName(QStringLiteral("SeriesTo"));
    count_ = new QSpinBox;
    count_->setObjectName(QStringLiteral("SeriesCount"));
    count_->setRange(min_series_points, max_series_points);
    count_->setValue(20);
    spacing_choice_ = new QComboBox;
    spacing_choice_->setObjectName(QStringLiteral("SeriesSpacing"));
    spacing_choice_->addItems({QStringLiteral("равномерно"), QStringLiteral("в геометрической прогрессии (лог.)")});
    spacing_choice_->setCurrentIndex(1);
    by_list_ = new QRadioButton(QStringLiteral("список:"));
    by_list_->setObjectName(QStringLiteral("SeriesByList"));
    list_ = new QLineEdit;
    list_->setObjectName(QStringLiteral("SeriesValues"));
    list_->setPlaceholderText(QStringLiteral("значения через пробел или «;», например 0.1 0.2 0.5 1"));
    connect(list_, &QLineEdit::textEdited, by_list_, [this] { by_list_->setChecked(true); });
    for (QLineEdit* field : {from_, to_})
        connect(field, &QLineEdit::textEdited, by_range_, [this] { by_range_->setChecked(true); });
    connect(quantity_, &QComboBox::currentIndexChanged, this, &SeriesWindow::quantity_chosen);

    calculate_ = new QPushButton(QStringLiteral("Рассчитать"));
    calculate_->setObjectName(QStringLiteral("CmdCalculate"));
    calculate_->setDefault(true);
    stop_ = new QPushButton(QStringLiteral("Стоп"));
    stop_->setObjectName(QStringLiteral("CmdStopSeries"));
    threshold_button_ = new QPushButton(QStringLiteral("Граница апериодичности"));
    threshold_button_->setObjectName(QStringLiteral("CmdThreshold"));
    threshold_button_->setToolTip(
        QStringLiteral("Значение выбранной величины, при котором движение перестаёт быть колебательным"));
    connect(calculate_, &QPushButton::clicked, this, &SeriesWindow::calculate);
    connect(stop_, &QPushButton::clicked, this, &SeriesWindow::stop);
    connect(threshold_button_, &QPushButton::clicked, this, &SeriesWindow::find_threshold);

    progress_ = new QProgressBar;
    progress_->setObjectName(QStringLiteral("SeriesProgress"));
    progress_->setFormat(QString());
    progress_->setRange(0, 1);
    progress_->setValue(0);
    status_ = new QLabel(QStringLiteral("Выберите величину и её значения и нажмите «Рассчитать»."));
    status_->setObjectName(QStringLiteral("SeriesStatus"));
    status_->setWordWrap(true);
    threshold_label_ = new QLabel;
    threshold_label_->setObjectName(QStringLiteral("ThresholdResult"));
    threshold_label_->setWordWrap(true);
    threshold_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* threshold_note = new QLabel(QStringLiteral(
        "Граница ищется для расчёта длительностью Т и с квадратичным сопротивлением. Оба сдвигают её от η_кр, "
        "которая получена для одного стоксова трения и бесконечного времени: при конечном Т второе прохождение "
        "равновесия может не успеть случиться, а квадратичное сопротивление добавляет затухание."));
    threshold_note->setObjectName(QStringLiteral("ThresholdNote"));
    threshold_note->setWordWrap(true);

    model_ = new SeriesTableModel(*this, this);
    table_ = new QTableView;
    table_->setObjectName(QStringLiteral("SeriesTable"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setToolTip(QStringLiteral("Щелчок по строке загружает её параметры в главное окно"));
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    connect(table_, &QTableView::clicked, this, [this](const QModelIndex& index) { load_row(index.row()); });

    plot_choice_ = new QComboBox;
    plot_choice_->setObjectName(QStringLiteral("SeriesPlotChoice"));
    for (const SeriesPlot& p : series_plots())
        plot_choice_->addItem(text_of(p.title));
    connect(plot_choice_, &QComboBox::currentIndexChanged, this, &SeriesWindow::refresh_plot);
    chart_ = new QChart;
    // Axis numbers with the user's decimal separator, as in the table.
    chart_->setLocalizeNumbers(true);
    chart_->setMargins(QMargins(4, 4, 4, 4));
    chart_view_ = new QChartView(chart_);
    chart_view_->setObjectName(QStringLiteral("SeriesPlot"));
    chart_view_->setRenderHint(QPainter::Antialiasing);
    chart_view_->setMinimumSize(360, 280);
    plot_timer_ = new QTimer(this);
    plot_timer_->setSingleShot(true);
    plot_timer_->setInterval(plot_interval_ms);
    connect(plot_timer_, &QTimer::timeout, this, &SeriesWindow::refresh_plot);

    auto* copy = new QPushButton(QStringLiteral("Копировать таблицу"));
    copy->setObjectName(QStringLiteral("CmdCopySeries"));
    auto* save_data = new QPushButton(QStringLiteral("Сохранить данные (CSV)…"));
    save_data->setObjectName(QStringLiteral("CmdSaveSeries"));
    auto* save_image = new QPushButton(QStringLiteral("Сохранить изображение…"));
    save_image->setObjectName(QStringLiteral("CmdSaveSeriesPlot"));
    connect(copy, &QPushButton::clicked, this, &SeriesWindow::copy_table);
    connect(save_data, &QPushButton::clicked, this, &SeriesWindow::save_data);
    connect(save_image, &QPushButton::clicked, this, &SeriesWindow::save_image);
    report_ = new QPushButton(QStringLiteral("Сохранить отчёт…"));
    report_->setObjectName(QStringLiteral("CmdSeriesReport"));
    report_->setToolTip(QStringLiteral("Отчёт о серии: параметры, таблица и график в одном файле PDF"));
    connect(report_, &QPushButton::clicked, this, &SeriesWindow::save_report);

    auto* range = new QHBoxLayout;
    range->addWidget(by_range_);
    range->addWidget(from_, 1);
    range->addWidget(new QLabel(QStringLiteral("до")));
    range->addWidget(to_, 1);
    range->addWidget(new QLabel(QStringLiteral("точек")));
    range->addWidget(count_);
    range->addWidget(spacing_choice_);
    auto* list = new QHBoxLayout;
    list->addWidget(by_list_);
    list->addWidget(list_, 1);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Величина:"), quantity_);
    form->addRow(QStringLiteral("Значения:"), range);
    form->addRow(QString(), list);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(calculate_);
    buttons->addWidget(stop_);
    buttons->addWidget(progress_, 1);
    buttons->addWidget(threshold_button_);

    auto* plot = new QWidget;
    auto* plot_layout = new QVBoxLayout(plot);
    plot_layout->setContentsMargins(0, 0, 0, 0);
    plot_layout->addWidget(plot_choice_);
    plot_layout->addWidget(chart_view_, 1);
    auto* split = new QSplitter;
    split->addWidget(table_);
    split->addWidget(plot);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(copy);
    bottom->addWidget(save_data);
    bottom->addWidget(save_image);
    bottom->addWidget(report_);

    QVBoxLayout* all = scrolling_content(*this, "seriesScroller");
    all->addLayout(form);
    all->addLayout(buttons);
    all->addWidget(status_);
    all->addWidget(split, 1);
    all->addWidget(threshold_label_);
    all->addWidget(threshold_note);
    all->addLayout(bottom);
    show_buttons();
    refresh_plot();
}

void SeriesWindow::show_window()
{
    show();
    raise();
    activateWindow();
}

Quantity SeriesWindow::chosen_quantity() const
{
    return quantity_table()[static_cast<std::size_t>(std::max(quantity_->currentIndex(), 0))].quantity;
}

// A new quantity starts from its value in the main window: from half of it
// to twice it, evenly, or around the critical viscosity for eta.
void SeriesWindow::quantity_chosen()
{
    const LabInputs lab = host_.inputs ? host_.inputs() : LabInputs{};
    const Quantity q = chosen_quantity();
    const double now = quantity(lab.p, q);
    by_range_->setChecked(true);
    if (q == Quantity::eta) {
        from_->setText(QStringLiteral("0.001"));
        to_->setText(QStringLiteral("10"));
        spacing_choice_->setCurrentIndex(1);
        return;
    }
    const double low = now == 0 ? 0 : now / 2;
    const double high = now == 0 ? 1 : now * 2;
    from_->setText(field_text(std::min(low, high)));
    to_->setText(field_text(std::max(low, high)));
    count_->setValue(11);
    spacing_choice_->setCurrentIndex(0);
}

SeriesValues SeriesWindow::chosen_values() const
{
    if (by_list_->isChecked())
        return listed_values(list_->text().toStdString());
    const std::optional<double> from = read_value(from_->text().toStdString());
    const std::optional<double> to = read_value(to_->text().toStdString());
    if (!from || !to) {
        SeriesValues none;
        none.error = "Начало и конец ряда должны быть числами!";
        return none;
    }
    return spaced_values(*from, *to, count_->value(),
                         spacing_choice_->currentIndex() == 1 ? Spacing::logarithmic : Spacing::linear);
}

void SeriesWindow::calculate()
{
    if (busy())
        return;
    const SeriesValues values = chosen_values();
    if (!values.error.empty()) {
        status_->setText(text_of(values.error));
        return;
    }
    request_ = SeriesRequest{host_.inputs(), chosen_quantity(), values.values, separator()};
    spacing_ = values.spacing;
    points_.assign(request_->values.size(), std::nullopt);
    arrived_ = 0;
    stopped_ = false;
    const std::uint64_t generation = ++generation_;
    model_->set_ended(false);
    model_->show(&*request_, separator());
    fit_columns();
    progress_->setFormat(QStringLiteral("%v из %m"));
    progress_->setRange(0, static_cast<int>(points_.size()));
    progress_->setValue(0);
    status_->setText(QStringLiteral("Идёт расчёт серии…"));
    series_ = std::make_unique<SeriesRun>(
        *request_, Workers::all_cores(),
        [this, generation](std::size_t i, const SeriesPoint& p) {
            QMetaObject::invokeMethod(
                this, [this, generation, i, p] { point_arrived(generation, i, p); }, Qt::QueuedConnection);
        },
        [this, generation] {
            QMetaObject::invokeMethod(
                this, [this, generation] { series_ended(generation); }, Qt::QueuedConnection);
        });
    show_buttons();
    refresh_plot();
}

// Widths from the headings and sample texts: the cells are empty when the
// series starts, and measuring every row as the points come in would cost
// more than the points.
void SeriesWindow::fit_columns()
{
    const QFontMetrics metrics = table_->fontMetrics();
    const std::vector<SeriesColumnInfo>& columns = series_columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const SeriesColumnInfo& info = columns[i];
        QString sample =
            (info.mask.find('E') == std::string_view::npos ? QStringLiteral("-000000") : QStringLiteral("-")) +
            text_of(info.mask);
        if (info.column == SeriesColumn::value)
            sample = QStringLiteral("-00000.0000000");
        else if (info.column == SeriesColumn::regime)
            sample = QStringLiteral("апериодическое");
        else if (info.mask.empty())
            sample = QStringLiteral("00000");
        const QString heading = model_->headerData(static_cast<int>(i), Qt::Horizontal, Qt::DisplayRole).toString();
        table_->setColumnWidth(static_cast<int>(i),
                               std::max(metrics.horizontalAdvance(sample), metrics.horizontalAdvance(heading)) + 16);
    }
    table_->horizontalHeader()->setStretchLastSection(true);
}

void SeriesWindow::stop()
{
    if (series_) {
        stopped_ = true;
        series_->cancel();
    }
    if (threshold_)
        threshold_->cancel();
}

void SeriesWindow::point_arrived(std::uint64_t generation, std::size_t index, const SeriesPoint& point)
{
    if (generation != generation_ || index >= points_.size())
        return;
    points_[index] = point;
    ++arrived_;
    progress_->setValue(static_cast<int>(arrived_));
    model_->point_changed(static_cast<int>(index));
    if (!plot_timer_->isActive())
        plot_timer_->start();
}

void SeriesWindow::series_ended(std::uint64_t generation)
{
    if (generation != generation_)
        return;
    series_.reset();
    model_->set_ended(true);
    model_->all_changed();
    plot_timer_->stop();
    refresh_plot();
    const std::size_t computed = static_cast<std::size_t>(
        std::count_if(points_.begin(), points_.end(), [](const auto& p) { return p && p->computed; }));
    QString text = stopped_
                       ? QStringLiteral("Серия остановлена: готово точек %1 из %2.").arg(arrived_).arg(points_.size())
                       : QStringLiteral("Серия рассчитана: точек %1.").arg(points_.size());
    if (computed < arrived_)
        text += QStringLiteral(" Не рассчитано (см. последний столбец): %1.").arg(arrived_ - computed);
    text += QStringLiteral(" Щелчок по строке загружает её параметры в главное окно.");
    status_->setText(text);
    show_buttons();
    emit series_finished();
}

void SeriesWindow::find_threshold()
{
    if (busy())
        return;
    threshold_request_ = ThresholdRequest{host_.inputs(), chosen_quantity(), separator()};
    const ThresholdRequest& request = *threshold_request_;
    const std::uint64_t generation = ++generation_;
    progress_->setFormat(QStringLiteral("граница: расчётов %v"));
    progress_->setRange(0, max_threshold_runs);
    progress_->setValue(0);
    threshold_label_->setText(QStringLiteral("Идёт поиск границы апериодичности…"));
    threshold_result_.reset();
    threshold_ = std::make_unique<Workers>(
        1,
        [this, &request, generation](unsigned, const std::atomic<bool>& cancel) {
            RunRecord record;
            const std::optional<Threshold> t =
                vp::find_threshold(request, record, &cancel, [this, generation](int runs) {
                    QMetaObject::invokeMethod(
                        this, [this, generation, runs] { threshold_progress(generation, runs); }, Qt::QueuedConnection);
                });
            QMetaObject::invokeMethod(
                this, [this, generation, t] { threshold_ended(generation, t); }, Qt::QueuedConnection);
        },
        std::function<void()>(), Workers::Priority::background);
    show_buttons();
}

void SeriesWindow::threshold_progress(std::uint64_t generation, int runs)
{
    if (generation == generation_)
        progress_->setValue(runs);
}

void SeriesWindow::threshold_ended(std::uint64_t generation, const std::optional<Threshold>& result)
{
    if (generation != generation_)
        return;
    threshold_.reset();
    threshold_result_ = result;
    if (result) {
        progress_->setRange(0, result->runs);
        progress_->setValue(result->runs);
    }
    if (!result)
        threshold_label_->setText(QStringLiteral("Поиск границы апериодичности остановлен."));
    else
        show_threshold(*result);
    show_buttons();
    emit threshold_finished();
}

void SeriesWindow::show_threshold(const Threshold& t)
{
    const LabInputs& lab = threshold_request_->base;
    const std::string s = threshold_request_->decimal_separator;
    auto number = [&s](double v, const char* mask = "0.0000E+00") {
        return text_of(with_decimal_separator(format_number(v, mask), s));
    };
    const Quantity q = threshold_request_->varied;
    const QString label = text_of(quantity_label(q));
    if (!t.found) {
        threshold_label_->setText(
            QStringLiteral("Граница апериодичности по %1 не найдена: %2").arg(label, text_of(t.reason)));
        return;
    }
    QString text = QStringLiteral("Граница апериодичности: %1 = %2 (колебания при %3, апериодическое при %4; "
                                  "расчётов: %5).")
                       .arg(label, number(t.value), number(t.oscillating), number(t.aperiodic))
                       .arg(t.runs);
    if (q == Quantity::eta && std::isfinite(lab.c.eta_kr) && lab.c.eta_kr > 0) {
        const double difference = (t.value - lab.c.eta_kr) / lab.c.eta_kr * 100;
        text += QStringLiteral(" Рядом η_кр = %1 Па·с; граница отличается от η_кр на %2 %.")
                    .arg(number(lab.c.eta_kr, "0.000E+00"), number(difference, "0.00"));
    }
    threshold_label_->setText(text);
}

void SeriesWindow::show_buttons()
{
    calculate_->setEnabled(!busy());
    threshold_button_->setEnabled(!busy());
    stop_->setEnabled(busy());
    quantity_->setEnabled(!busy());
    report_->setEnabled(!busy());
}

std::vector<SeriesPoint> SeriesWindow::table_points() const
{
    std::vector<SeriesPoint> all;
    if (!request_)
        return all;
    for (std::size_t i = 0; i < points_.size(); ++i) {
        if (points_[i]) {
            all.push_back(*points_[i]);
            continue;
        }
        SeriesPoint missing;
        missing.value = request_->values[i];
        missing.text = plain_number_text(missing.value);
        missing.reason = "не рассчитано: серия остановлена";
        all.push_back(missing);
    }
    return all;
}

QString SeriesWindow::table_text() const
{
    if (!request_)
        return {};
    return text_of(series_table_text(table_points(), request_->varied, separator()));
}

QString SeriesWindow::status_text() const
{
    return status_->text();
}

QString SeriesWindow::threshold_text() const
{
    return threshold_label_->text();
}

void SeriesWindow::copy_table()
{
    if (request_)
        QGuiApplication::clipboard()->setText(table_text());
}

void SeriesWindow::save_data()
{
    if (!request_ || host_.dialogs == nullptr)
        return;
    const std::vector<SeriesPoint> points = table_points();
    const Quantity q = request_->varied;
    const SaveOutcome outcome = save_csv(*host_.dialogs, QStringLiteral("Сохранить данные (CSV)"),
                                         QDir(host_.working_directory).filePath(QStringLiteral("vibrel_series.csv")),
                                         separator(), [&](const QString& path, const CsvDialect& dialect) {
                                             return write_bytes(path, series_csv(points, q, dialect));
                                         });
    if (host_.report)
        host_.report(outcome);
}

void SeriesWindow::save_image()
{
    if (host_.dialogs == nullptr)
        return;
    const QString path = host_.dialogs->save_file_name(
        QStringLiteral("Сохранить изображение"), QDir(host_.working_directory).filePath(QStringLiteral("series.png")),
        QStringLiteral("Изображение PNG (*.png);;Документ PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    if (host_.report)
        host_.report(write_chart(chart_view_, path));
}

void SeriesWindow::load_row(int row)
{
    if (!request_ || row < 0 || static_cast<std::size_t>(row) >= request_->values.size() || !host_.load)
        return;
    std::vector<BoxMessage> messages;
    const LabInputs lab =
        point_inputs(request_->base, request_->varied, request_->values[static_cast<std::size_t>(row)], messages);
    const QString label = text_of(quantity_label(request_->varied));
    if (const Message* error = first_error(messages)) {
        status_->setText(QStringLiteral("Это значение поле «%1» не принимает: %2").arg(label, text_of(error->text)));
        return;
    }
    if (!host_.load(lab)) {
        status_->setText(QStringLiteral("В главном окне идёт расчёт: параметры строки не загружены."));
        return;
    }
    const std::string& text = lab.texts[static_cast<std::size_t>(request_->varied)];
    status_->setText(QStringLiteral("В главное окно загружены параметры строки %1: %2 = %3. Нажмите там «ПУСК».")
                         .arg(row + 1)
                         .arg(label, text_of(text).trimmed()));
}

void SeriesWindow::save_report()
{
    if (!request_ || host_.dialogs == nullptr)
        return;
    const std::size_t choice = static_cast<std::size_t>(std::max(plot_choice_->currentIndex(), 0));
    const std::string_view title = series_plots()[std::min(choice, series_plots().size() - 1)].title;
    const SaveOutcome outcome = vp::save_report(
        *host_.dialogs, author_, QDir(host_.working_directory).filePath(QStringLiteral("series_report.pdf")),
        [this, title](const ReportHeading& heading) {
            return series_report(*request_, table_points(), title, heading, separator());
        },
        [this](ReportFigure figure, QPainter& painter, const QRectF& rect) {
            if (figure != ReportFigure::series_plot)
                return;
            QChart chart;
            chart.setLocalizeNumbers(true);
            chart.setMargins(QMargins(4, 4, 4, 4));
            fill_plot(chart, false);
            draw_chart(chart, painter, rect, 520);
        },
        host_.today ? host_.today() : QDate::currentDate());
    if (host_.report)
        host_.report(outcome);
}

void SeriesWindow::refresh_plot()
{
    fill_plot(*chart_, true);
}

void SeriesWindow::fill_plot(QChart& chart, bool image_markers) const
{
    const std::size_t choice = static_cast<std::size_t>(std::max(plot_choice_->currentIndex(), 0));
    const SeriesPlot& plot = series_plots()[std::min(choice, series_plots().size() - 1)];
    chart.removeAllSeries();
    // A removed axis is no longer the chart's.
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }

    std::vector<std::pair<double, double>> measured, theory;
    for (const std::optional<SeriesPoint>& p : points_) {
        if (!p || !p->computed)
            continue;
        if (const SeriesCell m = series_cell(*p, plot.measured); m.number && !m.bound && std::isfinite(*m.number))
            measured.emplace_back(p->value, *m.number);
        if (plot.theory) {
            if (const SeriesCell t = series_cell(*p, *plot.theory); t.number && std::isfinite(*t.number))
                theory.emplace_back(p->value, *t.number);
        }
    }
    std::sort(theory.begin(), theory.end());
    const bool log_x = spacing_ == Spacing::logarithmic && request_ &&
                       std::all_of(request_->values.begin(), request_->values.end(), [](double v) { return v > 0; });
    auto positive = [](const std::vector<std::pair<double, double>>& v) {
        return std::all_of(v.begin(), v.end(), [](const auto& xy) { return xy.second > 0; });
    };
    std::vector<std::pair<double, double>> all = measured;
    all.insert(all.end(), theory.begin(), theory.end());
    const auto [y_low, y_high] =
        std::minmax_element(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.second < b.second; });
    // A log axis labels only its powers of ten: a narrow range keeps a
    // linear one.
    const bool log_y = log_x && !all.empty() && positive(all) && y_high->second >= 10 * y_low->second;

    auto* points = new QScatterSeries;
    points->setName(QStringLiteral("измерено"));
    points->setMarkerSize(point_marker_size);
    points->setColor(measured_colour);
    // Qt Charts leaves out most of a scatter series' own markers once some
    // hundreds of them crowd together; an image marker is drawn for every
    // point.
    if (image_markers)
        points->setLightMarker(point_marker());
    for (const auto& [x, y] : measured)
        points->append(x, y);
    auto* line = new QLineSeries;
    line->setName(QStringLiteral("теория"));
    for (const auto& [x, y] : theory)
        line->append(x, y);
    chart.addSeries(line);
    chart.addSeries(points);
    chart.legend()->setVisible(plot.theory.has_value());
    chart.setTitle(text_of(plot.title));

    auto make_axis = [](bool log) -> QAbstractAxis* {
        if (log) {
            auto* axis = new QLogValueAxis;
            // With localised numbers a bare "%g" gives no labels at all.
            axis->setLabelFormat(QStringLiteral("%.3g"));
            axis->setMinorTickCount(-1);
            return axis;
        }
        auto* axis = new QValueAxis;
        axis->setLabelFormat(QStringLiteral("%.4g"));
        return axis;
    };
    QAbstractAxis* x_axis = make_axis(log_x);
    QAbstractAxis* y_axis = make_axis(log_y);
    x_axis->setTitleText(request_ ? text_of(quantity_label(request_->varied)) : QString());
    chart.addAxis(x_axis, Qt::AlignBottom);
    chart.addAxis(y_axis, Qt::AlignLeft);
    for (QAbstractSeries* s : {static_cast<QAbstractSeries*>(line), static_cast<QAbstractSeries*>(points)}) {
        s->attachAxis(x_axis);
        s->attachAxis(y_axis);
    }
    // Ranges with room around the points; a log axis in whole ratios.
    auto range = [](QAbstractAxis* axis, double low, double high, bool log) {
        if (log) {
            static_cast<QLogValueAxis*>(axis)->setRange(low / 1.3, high * 1.3);
            return;
        }
        const double span = high - low;
        const double pad = span > 0 ? 0.05 * span : (low != 0 ? 0.05 * std::fabs(low) : 0.5);
        auto* value_axis = static_cast<QValueAxis*>(axis);
        value_axis->setRange(low - pad, high + pad);
        value_axis->applyNiceNumbers();
    };
    if (all.empty())
        return;
    const auto [x_low, x_high] = std::minmax_element(all.begin(), all.end());
    range(x_axis, x_low->first, x_high->first, log_x);
    range(y_axis, y_low->second, y_high->second, log_y);
}

} // namespace vp
