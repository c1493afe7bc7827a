// SPDX-License-Identifier: GPL-3.0-or-later
// The values of a series, its points (computed, or refused in the window's
// words), the passages through the equilibrium, and the series on worker
// threads: the same points as one by one, and a stop that leaves the
// finished points and no thread behind.
#include "series/series.h"

#include "series/series_table.h"
#include "series/series_values.h"
#include "tests/series/lab.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

namespace vp {
namespace {

using testing::started_lab;

TEST(SeriesValues, SpacedFromOneEndToTheOther)
{
    struct Case {
        double from, to;
        int count;
        Spacing spacing;
        std::vector<double> values;
    };
    const Case cases[] = {
        {0.5, 2, 4, Spacing::linear, {0.5, 1, 1.5, 2}},
        {2, -1, 4, Spacing::linear, {2, 1, 0, -1}},
        {0.001, 10, 5, Spacing::logarithmic, {0.001, 0.01, 0.1, 1, 10}},
        {-8, -1, 4, Spacing::logarithmic, {-8, -4, -2, -1}},
        {3, 24, 2, Spacing::logarithmic, {3, 24}},
    };
    for (const Case& c : cases) {
        const SeriesValues v = spaced_values(c.from, c.to, c.count, c.spacing);
        EXPECT_EQ(v.error, "");
        ASSERT_EQ(v.values.size(), c.values.size()) << c.from << " " << c.to;
        EXPECT_EQ(v.values.front(), c.from);
        EXPECT_EQ(v.values.back(), c.to);
        for (std::size_t i = 0; i < v.values.size(); ++i)
            EXPECT_NEAR(v.values[i], c.values[i], 1e-12 * std::fabs(c.values[i])) << c.from << " " << i;
    }
    EXPECT_EQ(spaced_values(0.001, 10, 1000, Spacing::logarithmic).values.size(), 1000u);
}

TEST(SeriesValues, RangesAndListsThatGiveNoneSayWhy)
{
    const struct {
        SeriesValues v;
        const char* error;
    } cases[] = {
        {spaced_values(1, 2, 1, Spacing::linear), "Число точек должно быть от 2 до 1000!"},
        {spaced_values(1, 2, 1001, Spacing::linear), "Число точек должно быть от 2 до 1000!"},
        {spaced_values(1, 1, 5, Spacing::linear), "Начало и конец ряда совпадают!"},
        {spaced_values(0, 1, 5, Spacing::logarithmic),
         "Для логарифмического шага начало и конец ряда должны быть одного знака и не равны 0!"},
        {spaced_values(-1, 1, 5, Spacing::logarithmic),
         "Для логарифмического шага начало и конец ряда должны быть одного знака и не равны 0!"},
        {listed_values("0.1 0.2x 0.3"), "В списке значений не число: «0.2x»!"},
        {listed_values(" ;\n "), "Список значений пуст!"},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].v.error, cases[i].error) << i;
        EXPECT_TRUE(cases[i].v.values.empty()) << i;
    }
    std::string many;
    for (int i = 0; i < 1001; ++i)
        many += "1 ";
    EXPECT_EQ(listed_values(many).error, "В списке больше 1000 значений!");
}

TEST(SeriesValues, ListsTakeEitherSeparatorAndShowTheirSpacing)
{
    const struct {
        const char* text;
        std::vector<double> values;
        Spacing spacing;
    } cases[] = {
        {"0.1 0,2;3e-1\n4E-1", {0.1, 0.2, 0.3, 0.4}, Spacing::linear},
        {"1; 2; 4; 8; 16", {1, 2, 4, 8, 16}, Spacing::logarithmic},
        {"-2 -4 -8", {-2, -4, -8}, Spacing::linear},
        {"  +5  ", {5}, Spacing::linear},
    };
    for (const auto& c : cases) {
        const SeriesValues v = listed_values(c.text);
        EXPECT_EQ(v.error, "") << c.text;
        EXPECT_EQ(v.values, c.values) << c.text;
        EXPECT_EQ(v.spacing, c.spacing) << c.text;
    }
    for (const char* not_one_number : {"", "1,5,0", "1e", ".", "-", "1 2", "0x10", "1e999"})
        EXPECT_FALSE(read_value(not_one_number)) << not_one_number;
}

TEST(SeriesPoint, ValuesTheBoxesOrTheStartRefuseAreNotComputed)
{
    struct Case {
        Quantity varied;
        double value;
        const char* text; // as the row names it
        const char* reason;
    };
    const Case cases[] = {
        {Quantity::eta, -0.5, "-.5", "не может быть отрицательным! Не вводите заново, а исправьте!"},
        {Quantity::diametr_2, 0.3, " .3", "Не может быть <=d1! Не вводите заново, а исправьте!"},
        // Rounded by the box to 0.3000, which the nested run refuses.
        {Quantity::diametr_2, 0.30004, " .30004", "Не может быть <=d1! Не вводите заново, а исправьте!"},
        {Quantity::Tmax, 0, " 0", "Должно быть больше 0! Не вводите заново, а исправьте!"},
        {Quantity::massa, 2e15, " 2E+15", "не может быть такой большой! Не вводите заново, а исправьте!"},
        // The box takes it, the start does not: 46 million steps.
        {Quantity::Tmax, 1e6, " 1000000",
         "Расчёт займёт 46065667 шагов, это 5 сут! Уменьшите время расчёта или число точек на период. Исправьте "
         "параметры!"},
    };
    const LabInputs base = started_lab();
    RunRecord record;
    for (const Case& c : cases) {
        const std::optional<SeriesPoint> p = compute_point(base, c.varied, c.value, ",", record);
        ASSERT_TRUE(p);
        EXPECT_FALSE(p->computed) << c.text;
        EXPECT_EQ(p->text, c.text);
        EXPECT_EQ(p->reason, c.reason);
        EXPECT_EQ(p->steps, 0u) << c.text;
    }
}

TEST(SeriesPoint, AComputedPointIsMeasuredAsItsBoxHoldsIt)
{
    const LabInputs base = started_lab({{Quantity::Tmax, 12}});
    RunRecord record;
    // The box of eta shows seven decimals: 0.0123456789 is run as 0.0123457.
    const std::optional<SeriesPoint> p = compute_point(base, Quantity::eta, 0.0123456789, ".", record);
    ASSERT_TRUE(p);
    ASSERT_TRUE(p->computed) << p->reason;
    EXPECT_EQ(p->value, 0.0123457);
    EXPECT_EQ(p->text, "0.0123457");
    EXPECT_EQ(p->reason, "");
    EXPECT_EQ(p->steps, record.size());
    EXPECT_EQ(p->steps, 553u); // 12 s in steps of T0 / 100
    EXPECT_DOUBLE_EQ(record.characteristics().delta, base.c.delta / base.p.eta * 0.0123457);
    EXPECT_FALSE(p->aperiodic);
    EXPECT_GE(p->turning_points, 3u);
    // Kept as the window keeps a run: its energy ledger too.
    EXPECT_TRUE(record.has_ledger());
    ASSERT_EQ(p->comparisons.size(), 7u);
    EXPECT_TRUE(p->comparisons[0].measured && p->comparisons[0].theory);
}

TEST(EquilibriumCrossings, CountsPassagesNotTurnsOverTheTop)
{
    struct Case {
        const char* what;
        double equilibrium, fi0;
        std::vector<double> angles;
        std::size_t crossings;
    };
    const Case cases[] = {
        {"swings about the bottom", 0, 10, {5, -3, -1, 2, 3}, 2},
        {"creeps to the bottom", 0, 30, {20, 10, 3, 1, 0.5}, 0},
        {"one overshoot", 0, 30, {10, -1, -0.5, -0.2}, 1},
        {"a zero step is no side", 0, 10, {0, 5, 0, -5}, 1},
        // A light body: over the top (0 degrees) into the well at -180, then
        // through its bottom.
        {"over the top, then a passage", 180, 37, {10, -10, -170, -190, -185}, 1},
    };
    for (const Case& c : cases) {
        RunRecord r;
        r.start({});
        double t = 0;
        for (double fi : c.angles)
            r.append({t += 0.1, fi, 0, 0});
        EXPECT_EQ(equilibrium_crossings(r, c.fi0, c.equilibrium), c.crossings) << c.what;
    }
}

struct Collected {
    std::mutex m;
    std::vector<std::optional<SeriesPoint>> points;
    std::vector<std::size_t> order;
    int finished = 0;
};

TEST(SeriesRun, PointsOnThreadsAreThePointsOneByOne)
{
    SeriesRequest request{started_lab(), Quantity::eta, spaced_values(0.001, 30, 7, Spacing::logarithmic).values, ","};
    std::vector<SeriesPoint> one_by_one;
    RunRecord record;
    for (double v : request.values)
        one_by_one.push_back(*compute_point(request.base, request.varied, v, ",", record));

    for (unsigned threads : {1u, 3u}) {
        Collected got;
        got.points.resize(request.values.size());
        SeriesRun run(
            request, threads,
            [&got](std::size_t i, const SeriesPoint& p) {
                got.points[i] = p;
                got.order.push_back(i);
            },
            [&got] {
                const std::lock_guard<std::mutex> lock(got.m);
                ++got.finished;
            });
        run.wait();
        EXPECT_TRUE(run.finished());
        EXPECT_EQ(got.finished, 1);
        ASSERT_EQ(got.order.size(), request.values.size()) << threads;
        std::vector<SeriesPoint> points;
        for (const auto& p : got.points)
            points.push_back(*p);
        EXPECT_EQ(series_csv(points, Quantity::eta, {}), series_csv(one_by_one, Quantity::eta, {})) << threads;
    }
    // The same points from inputs of their own, as the variants' answers
    // are computed; the value is the caller's to name.
    std::vector<LabInputs> inputs;
    for (double v : request.values) {
        std::vector<BoxMessage> messages;
        inputs.push_back(point_inputs(request.base, request.varied, v, messages));
    }
    std::vector<SeriesPoint> measured(inputs.size());
    SeriesRun run(inputs, ",", 3, [&measured](std::size_t i, const SeriesPoint& p) { measured[i] = p; });
    run.wait();
    for (std::size_t i = 0; i < measured.size(); ++i)
        measured[i].value = one_by_one[i].value;
    EXPECT_EQ(series_csv(measured, Quantity::eta, {}), series_csv(one_by_one, Quantity::eta, {}));
    // The thickest medium creeps, the thinnest swings.
    EXPECT_TRUE(one_by_one.back().aperiodic);
    EXPECT_FALSE(one_by_one.front().aperiodic);
}

TEST(SeriesRun, AStopLeavesTheFinishedPointsAndNoThread)
{
    SeriesRequest request{started_lab(), Quantity::eta, spaced_values(0.001, 1, 400, Spacing::logarithmic).values, "."};
    Collected got;
    std::atomic<SeriesRun*> running{nullptr};
    std::atomic<int> calls_after_stop{0};
    std::atomic<bool> stopped{false};
    {
        SeriesRun run(request, 2, [&](std::size_t i, const SeriesPoint& p) {
            while (running.load() == nullptr)
                std::this_thread::yield();
            if (stopped.load())
                ++calls_after_stop;
            got.points.push_back(p);
            got.order.push_back(i);
            if (got.order.size() == 3) {
                stopped.store(true);
                running.load()->cancel();
            }
        });
        running.store(&run);
        run.wait();
        EXPECT_TRUE(run.finished());
    }
    EXPECT_EQ(calls_after_stop.load(), 0);
    ASSERT_EQ(got.order.size(), 3u) << "the points finished before the stop, none after";
    RunRecord record;
    for (std::size_t k = 0; k < got.order.size(); ++k) {
        const SeriesPoint alone =
            *compute_point(request.base, request.varied, request.values[got.order[k]], ".", record);
        EXPECT_EQ(series_csv({*got.points[k]}, Quantity::eta, {}), series_csv({alone}, Quantity::eta, {}));
    }
}

} // namespace
} // namespace vp
