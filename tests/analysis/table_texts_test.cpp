// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/table_texts.h"

#include "model/constants.h"
#include "synthetic_runs.h"
#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

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

// The value of a number cell, whichever separator it has (not strtod: it
// follows the C library's locale).
double value_of(std::string cell)
{
    const std::size_t comma = cell.find(',');
    if (comma != std::string::npos)
        cell[comma] = '.';
    double v = 0;
    std::from_chars(cell.data(), cell.data() + cell.size(), v);
    return v;
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

TEST(SwingTableText, OneLinePerTurningPointThenTheSummary)
{
    Characteristics c;
    c.W02 = 4 * pi * pi;
    c.W0 = two_pi;
    c.Ts = c.T0 = 1;
    const RunRecord r = testing::record_of(testing::damped_cosine(0, 20, 0.1, two_pi), 0.01, 2.7, c);
    SwingAnalysis a;
    a.update(r);
    ASSERT_EQ(a.turning_points().size(), 5u);
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        const std::vector<std::string> lines = lines_of(swing_table_text(a, true, ","));
        ASSERT_EQ(lines.size(), 1 + 5 + 1 + 1 + 1 + 5u);
        EXPECT_EQ(lines[0], "№\tt, c\tφ, °\tA, °\tT, c\tA(n-2)/A(n)\tΘ");
        EXPECT_EQ(cells_of(lines[1]).size(), 7u);
        EXPECT_EQ(cells_of(lines[2])[4], "") << "no period before the third turning point";
        const std::vector<std::string> third = cells_of(lines[3]);
        EXPECT_EQ(third[0], "3");
        EXPECT_NEAR(value_of(third[4]), 1, 1e-6);
        EXPECT_NE(third[1].find(','), std::string::npos) << lines[3];
        EXPECT_EQ(lines[6], "");
        EXPECT_EQ(lines[7], "равновесие, °\t0");
        EXPECT_EQ(lines[8], "величина\tизмерено\tтеория\tотличие, %");
        EXPECT_EQ(cells_of(lines[9])[0], "Ts, c");
        EXPECT_EQ(cells_of(lines[9])[2], "1");
        EXPECT_EQ(cells_of(lines[13])[0], "δ, рад/c");
    }
}

TEST(SwingTableText, SaysWhenThereIsNoSwing)
{
    const testing::Motion creep{[](double t) { return 10 * std::exp(-t); },
                                [](double t) { return -10 * std::exp(-t); }};
    SwingAnalysis a;
    a.update(testing::record_of(creep, 0.01, 3));
    EXPECT_EQ(swing_table_text(a, false, ","),
              "№\tt, c\tφ, °\tA, °\tT, c\tA(n-2)/A(n)\tΘ\n\nравновесие, °\t0\nточек поворота пока нет\n");
    const std::vector<std::string> ended = lines_of(swing_table_text(a, true, "."));
    ASSERT_EQ(ended.size(), 5u);
    EXPECT_EQ(ended[3], "движение апериодическое");
    const std::vector<std::string> fall = cells_of(ended[4]);
    EXPECT_EQ(fall[0], "спад отклонения в e раз, c");
    EXPECT_NEAR(value_of(fall[1]), 1, 1e-4);
}

TEST(CharacteristicsText, SixteenLinesInTheLabelsFormats)
{
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    Characteristics c;
    parametr(p, run.n_tochek, c);
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        const std::vector<std::string> lines = lines_of(characteristics_text(p, c, ","));
        ASSERT_EQ(lines.size(), 16u);
        EXPECT_EQ(lines[0], "ρ\t4,625E+02\tкг/м3");
        EXPECT_EQ(lines[4], "I\t2,696e+01\tкг·м2");
        EXPECT_EQ(lines[8], "To\t2,171E+00\tc");
        EXPECT_EQ(lines[12], "Θ\t2,575E-04\t");
        EXPECT_EQ(lines[15], "M_L\t-2,302E+01\tкг·м");

        // Each value is the number its label shows, in the same order.
        const CharacteristicCaptions captions = characteristic_captions(p, c, ".");
        const std::vector<std::string> pointed = lines_of(characteristics_text(p, c, "."));
        for (std::size_t i = 0; i < 16; ++i) {
            SCOPED_TRACE(captions[i].name);
            const std::vector<std::string> cells = cells_of(pointed[i]);
            ASSERT_EQ(cells.size(), 3u);
            EXPECT_NE(captions[i].text.find(cells[1] + " " + cells[2]), std::string::npos) << captions[i].text;
        }
    }
}

TEST(CharacteristicsText, LimitsReadAsTheLabelsShowThem)
{
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    predvar(p, run, zoom);
    Characteristics c;
    p.eta = 1000; // far beyond the critical viscosity
    parametr(p, run.n_tochek, c);
    std::vector<std::string> lines = lines_of(characteristics_text(p, c, "."));
    EXPECT_EQ(lines[9], "Ts\t-> oo\tc");
    EXPECT_EQ(lines[12], "Θ\t-> oo\t");
    EXPECT_EQ(lines[13], "Q\t-> 0\t");

    p.massa = 0;
    p.c_ster = 0;
    parametr(p, run.n_tochek, c);
    lines = lines_of(characteristics_text(p, c, "."));
    EXPECT_EQ(lines[10], "η_кр\t???\tПа·с");
    EXPECT_EQ(lines[11], "φ2\t-> oo\t°");
}

} // namespace
} // namespace vp
