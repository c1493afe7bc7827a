// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/table_texts.h"

#include "model/constants.h"
#include "synthetic_runs.h"
#include "tests/support/c_library_locale.h"
#include "texts/characteristic_table.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <sstream>
#include <vector>

namespace vp {
namespace {

std::vector<std::string> lines_of(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> cells_of(const std::string& line)
{
    std::vector<std::string> cells;
    std::size_t from = 0;
    for (std::size_t tab; (tab = line.find('\t', from)) != std::string::npos; from = tab + 1)
        cells.push_back(line.substr(from, tab - from));
    cells.push_back(line.substr(from));
    return cells;
}

// A number cell written with "," (not strtod: it follows the C library's locale).
double value_of(std::string cell)
{
    std::replace(cell.begin(), cell.end(), ',', '.');
    double v = 0;
    std::from_chars(cell.data(), cell.data() + cell.size(), v);
    return v;
}

TEST(SwingTableText, OneLinePerTurningPointThenTheSummary)
{
    Characteristics c;
    c.W02 = 4 * pi * pi;
    c.W0 = two_pi;
    c.Ts = c.T0 = 1;
    SwingAnalysis a;
    const RunRecord run = testing::record_of(testing::damped_cosine(0, 2, 0.1, two_pi), 0.01, 2.7, c);
    a.update(run);
    ASSERT_EQ(a.turning_points().size(), 5u);
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        const std::string text = swing_table_text(a, explain_run(run), true, ",");
        for (std::size_t i = 1; i + 1 < text.size(); ++i)
            EXPECT_FALSE(text[i] == '.' && std::isdigit(text[i - 1]) && std::isdigit(text[i + 1]))
                << "every number takes the separator given: " << text.substr(i - 1, 3);
        const std::vector<std::string> lines = lines_of(text);
        ASSERT_EQ(lines.size(), 1 + 5 + 1 + 1 + 1 + 7 + 1u);
        EXPECT_EQ(lines[0], "№\tt, c\tφ, °\tA, °\tT, c\tT(A, v²), c\tA(n-2)/A(n)\tΘ\tΘ(A, v²)");
        for (std::size_t n = 1; n <= 5; ++n) {
            const std::vector<std::string> cells = cells_of(lines[n]);
            ASSERT_EQ(cells.size(), 9u) << n;
            EXPECT_EQ(cells[0], std::to_string(n)) << "turning points are counted from 1";
            EXPECT_NEAR(value_of(cells[1]), a.turning_points()[n - 1].t, 1e-8) << n;
        }
        EXPECT_EQ(cells_of(lines[2])[4], "") << "no period before the third turning point";
        EXPECT_NEAR(value_of(cells_of(lines[3])[4]), 1, 1e-6);
        // The theory of the swing: a pendulum of 1 s without drag, at 2°.
        EXPECT_NEAR(value_of(cells_of(lines[3])[5]), 1, 1e-3);
        EXPECT_EQ(cells_of(lines[3])[8], "0");
        EXPECT_EQ(lines[6], "");
        EXPECT_EQ(lines[7], "равновесие, °\t0");
        EXPECT_EQ(lines[8], "величина\tизмерено\t±\tтеория\tотличие, %\tтеория (A, v²)\tотличие, %");
        EXPECT_EQ(cells_of(lines[9])[0], "Ts, c");
        EXPECT_EQ(cells_of(lines[9])[3], "1");
        EXPECT_EQ(cells_of(lines[14])[0], "δ (две силы), рад/c");
        EXPECT_EQ(lines[16], "Режим обтекания: вакуум: сопротивления среды нет, числа Рейнольдса нет.");
    }
}

TEST(SwingTableText, SaysWhenThereIsNoSwing)
{
    const testing::Motion creep{[](double t) { return 10 * std::exp(-t); },
                                [](double t) { return -10 * std::exp(-t); }};
    SwingAnalysis a;
    const RunRecord run = testing::record_of(creep, 0.01, 3);
    a.update(run);
    EXPECT_EQ(swing_table_text(a, explain_run(run), false, ","),
              "№\tt, c\tφ, °\tA, °\tT, c\tT(A, v²), c\tA(n-2)/A(n)\tΘ\tΘ(A, v²)\n\nравновесие, °\t0\nточек поворота "
              "пока нет\n");
    const std::vector<std::string> ended = lines_of(swing_table_text(a, explain_run(run), true, ","));
    ASSERT_EQ(ended.size(), 6u);
    EXPECT_EQ(ended[3], "движение апериодическое");
    EXPECT_EQ(cells_of(ended[4])[0], "спад отклонения в e раз, c");
    EXPECT_NEAR(value_of(cells_of(ended[4])[1]), 1, 1e-4);
}

TEST(CharacteristicsText, SixteenLinesInTheLabelsFormats)
{
    struct Case {
        double eta, massa, c_ster;
        std::size_t line;
        const char* text;
    };
    const Case cases[] = {
        // the defaults
        {0.001004, 15.499, 1.2, 0, "ρ\t4,625E+02\tкг/м3"},
        {0.001004, 15.499, 1.2, 4, "I\t2,696e+01\tкг·м2"},
        {0.001004, 15.499, 1.2, 8, "To\t2,171E+00\tc"},
        {0.001004, 15.499, 1.2, 12, "Θ\t2,575E-04\t"},
        {0.001004, 15.499, 1.2, 15, "M_L\t-2,302E+01\tкг·м"},
        // far beyond the critical viscosity
        {1000, 15.499, 1.2, 9, "Ts\t-> oo\tc"},
        {1000, 15.499, 1.2, 12, "Θ\t-> oo\t"},
        {1000, 15.499, 1.2, 13, "Q\t-> 0\t"},
        // the rod alone, without quadratic drag
        {0.001004, 0, 0, 10, "η_кр\t???\tПа·с"},
        {0.001004, 0, 0, 11, "φ2\t-> oo\t°"},
    };
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    Characteristics c;
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const Case& k : cases) {
            p.eta = k.eta;
            p.massa = k.massa;
            p.c_ster = k.c_ster;
            parametr(p, run.n_tochek, c);
            const std::vector<std::string> lines = lines_of(characteristics_text(p, c, ","));
            ASSERT_EQ(lines.size(), 16u);
            EXPECT_EQ(lines[k.line], k.text);
        }
    }

    // Each value is the number its label shows, in the same order.
    predvar(p, run, zoom);
    parametr(p, run.n_tochek, c);
    const CharacteristicCaptions captions = characteristic_captions(p, c, ".");
    const std::vector<std::string> lines = lines_of(characteristics_text(p, c, "."));
    for (std::size_t i = 0; i < 16; ++i) {
        const std::vector<std::string> cells = cells_of(lines[i]);
        ASSERT_EQ(cells.size(), 3u);
        EXPECT_NE(captions[i].find(cells[1] + " " + cells[2]), std::string::npos) << captions[i];
    }
}

} // namespace
} // namespace vp
