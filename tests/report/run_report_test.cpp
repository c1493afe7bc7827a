// SPDX-License-Identifier: GPL-3.0-or-later
#include "report/run_report.h"

#include "model/parameters.h"
#include "tests/analysis/synthetic_runs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

namespace vp {
namespace {

TEST(ReportHeading, DateAndTheNameOrALineToSign)
{
    struct Case {
        int year, month, day;
        std::string author;
        std::vector<std::string> signature;
    };
    const Case cases[] = {
        {2026, 1, 1, "", {"Дата: 1 января 2026 г.", "Выполнил(а): " + std::string(40, '_')}},
        {2026, 3, 14, "Петрова Анна", {"Дата: 14 марта 2026 г.", "Выполнил(а): Петрова Анна"}},
        {1999, 12, 31, "И. И.", {"Дата: 31 декабря 1999 г.", "Выполнил(а): И. И."}},
    };
    for (const Case& c : cases) {
        const ReportDocument d = begun_report({"Работа", c.year, c.month, c.day, c.author});
        EXPECT_EQ(d.title, "Отчёт о лабораторной работе");
        EXPECT_EQ(d.work, "«Работа»");
        EXPECT_EQ(d.signature, c.signature);
    }
}

// The quantities as the boxes show the defaults, each with the symbol its
// label shows (the letter over the caption put in) and its unit.
TEST(ReportTables, TheQuantitiesAsTheirBoxesAndLabelsShowThem)
{
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    const ReportTable t = parameters_table(shown_box_texts(p));
    const std::vector<std::vector<std::string>> rows = {
        {"масса сферы", "m", "15.4990", "кг"},
        {"внешний диаметр сферы", "d2", "0.4000", "м"},
        {"внутренний диаметр сферы", "d1", "0.3000", "м"},
        {"коэффициент лобового сопротивления для сферы", "с_сф", "0.470", ""},
        {"длина стержня от оси вращения до нижней точки сферы", "L", "1.5000", "м"},
        {"масса стержня", "М", "0.5881", "кг"},
        {"диаметр стержня", "D", "0.0080", "м"},
        {"коэффициент лобового сопротивления для стержня", "с_ст", "1.200", ""},
        {"плотность среды", "ρo", "1000.0000", "кг/м3"},
        {"коэффициент динамической вязкости среды", "η", "0.0010040", "Па·с"},
        {"начальный угол отклонения", "φo", "37.000", "°"},
        {"начальная угловая скорость", "ωzo", "-3.500", "рад/с"},
        {"время расчета", "Т", "16", "с"},
    };
    EXPECT_EQ(t.rows, rows);
    EXPECT_EQ(t.headings.size(), 4u);
    EXPECT_EQ(t.numeric, (std::vector<bool>{false, false, true, false}));
}

// A long run's graphs from a few of its steps: the first and the last, in
// order, and in every stretch the extremes of each curve, so that the band
// a long run draws keeps its edges.
TEST(ReportSteps, AFewStepsKeepTheEnvelope)
{
    const RunRecord run = testing::record_of(testing::damped_cosine(0, 30, 0.05, 7.3), 0.001, 60);
    const std::size_t n = run.size();
    EXPECT_EQ(report_steps(run, n).size(), n) << "a short run keeps every step";
    EXPECT_TRUE(report_steps(run, 600, n).empty()) << "graphs cleared at the run's end";
    // From the start, or from where the graphs were last cleared.
    const std::pair<std::size_t, std::size_t> cases[] = {{600, 0}, {6000, 0}, {600, n / 3 + 7}};
    for (const auto& [most, first] : cases) {
        const std::vector<std::size_t> steps = report_steps(run, most, first);
        ASSERT_FALSE(steps.empty());
        EXPECT_EQ(steps.front(), first);
        EXPECT_EQ(steps.back(), n - 1);
        EXPECT_TRUE(std::is_sorted(steps.begin(), steps.end()));
        EXPECT_EQ(std::set<std::size_t>(steps.begin(), steps.end()).size(), steps.size()) << "no step twice";
        EXPECT_LE(steps.size(), most + 2);
        // The curve's extremes in any stretch of the run as long as those
        // the steps are chosen in are reached by a chosen step no farther
        // than one such stretch away: the band keeps its edges.
        const std::size_t stretch = (n - first) / (most / 6) + 1;
        for (std::size_t from = first + stretch; from + 2 * stretch < n; from += stretch / 3) {
            double lowest = 1e300, highest = -1e300, lowest_chosen = 1e300, highest_chosen = -1e300;
            for (std::size_t i = from; i < from + stretch; ++i) {
                lowest = std::min(lowest, run.row(i).fi_deg);
                highest = std::max(highest, run.row(i).fi_deg);
            }
            for (const std::size_t i : steps)
                if (i + stretch >= from && i < from + 2 * stretch) {
                    lowest_chosen = std::min(lowest_chosen, run.row(i).fi_deg);
                    highest_chosen = std::max(highest_chosen, run.row(i).fi_deg);
                }
            EXPECT_GE(highest_chosen, highest) << from;
            EXPECT_LE(lowest_chosen, lowest) << from;
        }
    }
}

} // namespace
} // namespace vp
