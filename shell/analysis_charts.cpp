// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/analysis_charts.h"

#include "analysis/energy_ledger.h"
#include "analysis/run_record.h"
#include "analysis/swing_analysis.h"
#include "model/constants.h"
#include "texts/number_text.h"

#include <QAreaSeries>
#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <charconv>
#include <cmath>

namespace vp {
namespace {

// The plots draw at most this many points of a long run, evenly spread: a
// scatter point costs the chart a graphics item of its own.
constexpr std::size_t phase_points = 4000;
constexpr std::size_t amplitude_points = 400;
constexpr std::size_t energy_points = 2000;
constexpr std::size_t curve_points = 200;

// A range with some room around it; a point gets a unit range.
std::pair<double, double> padded(double low, double high)
{
    const double span = high - low;
    if (!(span > 0))
        return {low - 0.5, high + 0.5};
    return {low - 0.05 * span, high + 0.05 * span};
}

QValueAxis* value_axis(QChart* chart, const QString& title, Qt::Alignment side)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    chart->addAxis(axis, side);
    return axis;
}

template <class Series>
Series* attached(QChart* chart, Series* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
    return series;
}

// n times ten to the e, the double nearest to it: 10^|e| is exact, and a
// division rounds once (3 * 0.1 would be 0.30000000000000004).
double scaled(double n, int e)
{
    return e >= 0 ? n * std::pow(10.0, e) : n / std::pow(10.0, -e);
}

// A round step at or above `rough`: 1, 2 or 5 times ten to the `decade`.
struct Step {
    double digits = 1;
    int decade = 0;
    double value() const { return scaled(digits, decade); }
};
Step nice_step(double rough)
{
    int decade = static_cast<int>(std::floor(std::log10(rough)));
    const double m = rough / scaled(1, decade);
    if (m > 5)
        return {1, decade + 1};
    return {m <= 1 ? 1.0 : (m <= 2 ? 2.0 : 5.0), decade};
}

// A time axis from 0 to the end of the run, ticks at a round step.
void show_time(QValueAxis* axis, double t_end)
{
    const double end = std::max(t_end, 1e-9);
    axis->setRange(0, end);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(nice_step(end / 5).value());
}

std::string tick_label(double value, std::string_view separator)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6).ptr;
    return with_decimal_separator(std::string(buffer, end), separator);
}

} // namespace

std::vector<AxisTick> log_axis_ticks(double low, double high, std::string_view separator)
{
    std::vector<AxisTick> ticks;
    if (!(low > 0 && high > low) || !std::isfinite(high))
        return ticks;
    const auto from = static_cast<int>(std::floor(std::log10(low)));
    const auto to = static_cast<int>(std::ceil(std::log10(high)));
    const std::vector<double> one_two_five = {1, 2, 5};
    const std::vector<double> digits = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    for (const std::vector<double>* mantissas : {&one_two_five, &digits}) {
        ticks.clear();
        for (int decade = from; decade <= to; ++decade)
            for (const double m : *mantissas) {
                const double v = scaled(m, decade);
                if (v >= low && v <= high)
                    ticks.push_back({v, tick_label(v, separator)});
            }
        if (ticks.size() >= 3)
            return ticks;
    }
    // Within a few per cent: a round linear step.
    const Step step = nice_step((high - low) / 5);
    ticks.clear();
    for (double k = std::ceil(low / step.value()); scaled(k * step.digits, step.decade) <= high; ++k) {
        const double v = scaled(k * step.digits, step.decade);
        ticks.push_back({v, tick_label(v, separator)});
    }
    return ticks;
}

PhaseChart::PhaseChart(QChart* chart)
{
    chart->setTitle(QStringLiteral("Фазовый портрет"));
    fi_ = value_axis(chart, QStringLiteral("φ, °"), Qt::AlignBottom);
    wz_ = value_axis(chart, QStringLiteral("ω, рад/с"), Qt::AlignLeft);
    curve_ = attached(chart, new QLineSeries, fi_, wz_);
}

void PhaseChart::show(const RunRecord& run, const SwingAnalysis& analysis)
{
    const std::size_t n = analysis.steps_read();
    const std::size_t stride = std::max<std::size_t>(1, (n + phase_points - 1) / phase_points);
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(n / stride + 1));
    for (std::size_t i = 0; i < n; i += stride)
        points.append(QPointF(run.value(i, RunColumn::fi_deg), run.value(i, RunColumn::wz)));
    curve_->replace(points);
    if (n == 0)
        return;
    const auto [fi_low, fi_high] = padded(analysis.fi_min(), analysis.fi_max());
    const auto [wz_low, wz_high] = padded(analysis.wz_min(), analysis.wz_max());
    fi_->setRange(fi_low, fi_high);
    wz_->setRange(wz_low, wz_high);
    fi_->applyNiceNumbers();
    wz_->applyNiceNumbers();
}

AmplitudeChart::AmplitudeChart(QChart* chart) : chart_(chart)
{
    chart->setTitle(QStringLiteral("Амплитуды и их подгонка"));
    t_ = value_axis(chart, QStringLiteral("t, c"), Qt::AlignBottom);
    // The amplitudes are drawn as log10|A| over an axis labelled in degrees.
    a_ = new QCategoryAxis;
    a_->setTitleText(QStringLiteral("|A|, °"));
    a_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    chart->addAxis(a_, Qt::AlignLeft);
    amplitudes_ = attached(chart, new QScatterSeries, t_, a_);
    amplitudes_->setMarkerSize(7);
    amplitudes_->setName(QStringLiteral("|A| точек поворота"));
    line_ = attached(chart, new QLineSeries, t_, a_);
    line_->setName(QStringLiteral("прямая: e^(−δt)"));
    two_drags_ = attached(chart, new QLineSeries, t_, a_);
    two_drags_->setName(QStringLiteral("две силы: δ и κ"));
    two_drags_->setPen(QPen(QColor(200, 40, 40), 2, Qt::DashLine));
}

void AmplitudeChart::show(const SwingAnalysis& analysis, std::string_view separator)
{
    QList<QPointF> points;
    double low = 0, high = 0, t_end = 0;
    bool any = false;
    const auto include = [&](double a) {
        low = any ? std::min(low, a) : a;
        high = any ? std::max(high, a) : a;
        any = true;
    };
    const std::vector<TurningPoint>& all = analysis.turning_points();
    const std::size_t stride = std::max<std::size_t>(1, (all.size() + amplitude_points - 1) / amplitude_points);
    for (std::size_t i = 0; i < all.size(); i += stride) {
        const double a = std::abs(all[i].amplitude);
        if (!(a > 0))
            continue;
        include(a);
        points.append(QPointF(all[i].t, std::log10(a)));
    }
    if (!all.empty())
        t_end = all.back().t;
    amplitudes_->replace(points);
    QList<QPointF> line;
    // The line and the curve are of the last part, from its first turning point.
    if (const std::optional<AmplitudeFit> f = analysis.amplitude_fit(); f && !analysis.aperiodic())
        for (const double t : {all[analysis.part_first_point()].t, t_end}) {
            const double a = std::exp(f->ln_amplitude_at_zero - f->delta * t);
            include(a);
            line.append(QPointF(t, std::log10(a)));
        }
    line_->replace(line);
    QList<QPointF> curve;
    for (const auto& [t, a] : analysis.two_drag_curve(curve_points))
        if (a > 0) {
            include(a);
            curve.append(QPointF(t, std::log10(a)));
        }
    two_drags_->replace(curve);
    chart_->legend()->setVisible(!curve.isEmpty());
    if (points.isEmpty())
        return;
    show_time(t_, t_end);
    // Some room above and below, a tenth of the decay's span in ln A: a
    // decay of a per cent is drawn as large as one by ten times.
    const double room = std::max(std::pow(high / low, 0.1), 1.005);
    const double bottom = low / room;
    const double top = high * room;
    for (const QString& label : a_->categoriesLabels())
        a_->remove(label);
    a_->setStartValue(std::log10(bottom));
    for (const AxisTick& tick : log_axis_ticks(bottom, top, separator))
        a_->append(QString::fromStdString(tick.label), std::log10(tick.value));
    a_->setRange(std::log10(bottom), std::log10(top));
}

EnergyChart::EnergyChart(QChart* chart)
{
    chart->setTitle(QStringLiteral("Энергия"));
    t_ = value_axis(chart, QStringLiteral("t, c"), Qt::AlignBottom);
    W_ = value_axis(chart, QStringLiteral("W − W_min, Дж"), Qt::AlignLeft);
    static const char* const names[layers] = {"W пот.", "W кин.", "трение ~v", "трение ~v²"};
    static const QColor colours[layers] = {{90, 130, 210}, {90, 180, 90}, {240, 170, 50}, {210, 70, 60}};
    for (int k = 0; k < layers; ++k) {
        tops_[k] = new QLineSeries(chart);
        bottoms_[k] = new QLineSeries(chart);
        auto* area = attached(chart, new QAreaSeries(tops_[k], bottoms_[k]), t_, W_);
        area->setName(QString::fromUtf8(names[k]));
        area->setColor(colours[k]);
        area->setBorderColor(colours[k].darker(130));
    }
}

void EnergyChart::show(const RunRecord& run)
{
    QList<QPointF> edges[layers + 1];
    const std::size_t n = run.has_ledger() ? run.size() : 0;
    const std::size_t stride = std::max<std::size_t>(1, (n + energy_points - 1) / energy_points);
    double top = 0;
    const auto add = [&](double t, const Characteristics& c, const EnergyRow& e) {
        // The potential energy from the lowest position, -|M_L| g: every layer is positive.
        const double layer[layers] = {e.W_pot + std::abs(c.Mm_L) * g, e.W_kin, e.D_lin, e.D_quad};
        double sum = 0;
        edges[0].append(QPointF(t, 0));
        for (int k = 0; k < layers; ++k) {
            sum += layer[k];
            edges[k + 1].append(QPointF(t, sum));
        }
        top = std::max(top, sum);
    };
    if (n > 0) {
        const RunPart& first = run.parts().front();
        const RunRow& s = first.start;
        const MechanicalEnergy e = mechanical_energy(first.c.MI, first.c.Mm_L, s.fi_deg * k_grad_rad, s.wz);
        add(s.t, first.c, {e.kinetic, e.potential, 0, 0});
    }
    for (std::size_t i = 0; i < n; i += stride)
        add(run.t(i), run.part_of(i).c, run.energy(i));
    if (n > 0 && (n - 1) % stride != 0)
        add(run.t(n - 1), run.part_of(n - 1).c, run.energy(n - 1));
    for (int k = 0; k < layers; ++k) {
        bottoms_[k]->replace(edges[k]);
        tops_[k]->replace(edges[k + 1]);
    }
    if (n == 0)
        return;
    show_time(t_, run.t(n - 1));
    W_->setRange(0, top > 0 ? top * 1.05 : 1);
    W_->applyNiceNumbers();
}

} // namespace vp
