// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

class QAreaSeries;
class QCategoryAxis;
class QChart;
class QLineSeries;
class QScatterSeries;
class QValueAxis;

namespace vp {

class RunRecord;
class SwingAnalysis;

// The three plots of the analysis window. Each fills a QChart it is given
// and keeps nothing of the window: a chart drawn by it paints on any
// QPainter (QGraphicsScene::render), a printer or a vector file as well as
// a view.

// A tick of a logarithmic axis: its value and its label.
struct AxisTick {
    double value = 0;
    std::string label;
};
// Ticks at 1, 2 and 5 of each decade within [low, high] (both > 0): at every
// digit where that gives fewer than three, and at an even linear step where
// even that does (a decay of a few per cent). Labels take the separator given.
std::vector<AxisTick> log_axis_ticks(double low, double high, std::string_view decimal_separator);

// "Фазовый портрет": omega against phi over the whole run.
class PhaseChart {
public:
    explicit PhaseChart(QChart* chart);
    void show(const RunRecord& run, const SwingAnalysis& analysis);

private:
    QLineSeries* curve_;
    QValueAxis* fi_;
    QValueAxis* wz_;
};

// "Амплитуды и их подгонка": |A| of the turning points on a logarithmic
// scale, the straight line of exp(-delta t) and the curve of the two-drag fit.
class AmplitudeChart {
public:
    explicit AmplitudeChart(QChart* chart);
    void show(const SwingAnalysis& analysis, std::string_view decimal_separator);

private:
    QChart* chart_;
    QScatterSeries* amplitudes_;
    QLineSeries* line_;
    QLineSeries* two_drags_;
    QValueAxis* t_;
    QCategoryAxis* a_;
};

// "Энергия": stacked against t, the potential energy above the lowest
// position, the kinetic energy, and what the linear and the quadratic drag
// have taken; their top stays at W_00 - W_min while the balance holds.
class EnergyChart {
public:
    explicit EnergyChart(QChart* chart);
    void show(const RunRecord& run);

private:
    static constexpr int layers = 4;
    QLineSeries* tops_[layers];
    QLineSeries* bottoms_[layers];
    QValueAxis* t_;
    QValueAxis* W_;
};

} // namespace vp
