// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/results_file.h"

#include "tests/input/box_window.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vp {
namespace {

using test::BoxWindow;

TEST(PrintLine, ItemsStandInFourteenCharacterColumns)
{
    const struct {
        std::vector<std::string> items;
        const char* line;
    } cases[] = {
        {{"a", "b"}, "a             b"},
        {{"", "b"}, "              b"},
        {{"123456789012", "b", "c"}, "123456789012  b             c"},
        {{"1234567890123", "b"}, "1234567890123 b"},
        // a longer item pushes the next one to the following column
        {{"12345678901234", "b"}, "12345678901234              b"},
        // columns count characters, not UTF-8 bytes
        {{"Т (с) =", " 16"}, "Т (с) =        16"},
        {{"a", ""}, "a"},
        {{"    параметры"}, "    параметры"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(print_line(c.items), c.line);
}

TEST(ResultsHead, CaptionsAndBoxTextsOfTheStartUp)
{
    // The labels' captions; the four under a Greek letter give way to fixed texts.
    BoxWindow w;
    w.start_up();
    std::array<std::string, quantity_count> texts;
    for (const QuantityRow& row : quantity_table())
        texts[static_cast<std::size_t>(row.quantity)] = w.text(row.quantity);

    const std::vector<std::string> expected = {
        "    параметры",
        "m (кг) =      15.4990",
        "d2 (м) =      0.4000",
        "d1 (м)=       0.3000",
        "с_сф=         0.470",
        "L (м) =       1.5000",
        "М (кг) =      0.5881",
        "D (м) =       0.0080",
        "с_ст=         1.200",
        "ro(кг/м3)=    1000.0000",
        "h(Па·с)=      0.0010040",
        "fio(°)=       37.000",
        "wzo(рад/с)=   -3.500",
        "Т (с) =        16",
        "    расчёт",
        "    t,c          fi, °       wz, рад/с       W, Дж",
    };
    EXPECT_EQ(results_head(texts), expected);
}

TEST(ResultsRow, FourNumbersWithTheLocalesSeparator)
{
    const float energy = 9.5f;
    EXPECT_EQ(results_row(0.0224, 36.9, -0.1597, energy, "."), "2.2400e-02    3.6900e+01    -1.5970e-01   9.5000e+00");
    EXPECT_EQ(results_row(0.0224, 36.9, -0.1597, energy, ","), "2,2400e-02    3,6900e+01    -1,5970e-01   9,5000e+00");
    EXPECT_EQ(results_row(0, -0.0, 1e-300, -1e20f, "."), "0.0000e+00    0.0000e+00    1.0000e-300   -1.0000e+20");
}

} // namespace
} // namespace vp
