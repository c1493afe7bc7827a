// SPDX-License-Identifier: GPL-3.0-or-later
// The variants of the work: how a range is drawn and rounded, the numbers
// a seed gives, the draws the boxes or the start refuse, the ranges no box
// could show, and the same files for the same seed.
#include "series/variants.h"

#include "series/series_values.h"
#include "tests/series/lab.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vp {
namespace {

using testing::started_lab;

TEST(Variants, EachRangeIsDrawnEvenlyOrInRatioAndRoundedToItsBox)
{
    struct Case {
        VariantRange range;
        bool in_ratio;
        int decimals;
        double value;
        const char* text; // the value as the file holds it
    };
    const Case cases[] = {
        {{Quantity::eta, 0.5, 2}, false, 7, 1.23456789, "1.2345679"},
        {{Quantity::eta, 0.001, 0.1}, true, 7, 0.0123456789, "0.0123457"},
        {{Quantity::eta, 0.1, 1}, false, 7, 0.3, "0.3000000"}, // a decade exactly: evenly
        {{Quantity::diametr_2, 0.31, 0.52}, false, 3, 0.32149, "0.3210"},
        {{Quantity::fi0, -40, 40}, false, 3, -12.3456, "-12.346"},
        {{Quantity::fi0, -400, -4}, false, 3, -123.4567, "-123.457"},
        {{Quantity::Tmax, 1, 100}, true, 3, 12.3456, "12.346"},
        {{Quantity::Tmax, 0.2, 0.9}, false, 3, 0.4567, ".457"},
        {{Quantity::massa, 0.5, 50}, true, 4, 15.49904, "15.4990"},
        {{Quantity::wz0, -0.3, 0.7}, false, 3, -0.0004, "0.000"},
        {{Quantity::ro_0, 1, 1000}, true, 4, 961, "961.0000"},
    };
    for (const Case& c : cases) {
        const Quantity q = c.range.quantity;
        EXPECT_EQ(drawn_in_ratio(c.range), c.in_ratio) << c.text;
        EXPECT_EQ(box_decimals(q), c.decimals) << c.text;
        EXPECT_EQ(box_value_text(q, c.value), c.text);
        EXPECT_EQ(range_refusal(c.range), std::nullopt) << c.text;
        // Half the draws below the middle: the geometric mean of a range in
        // ratio, the arithmetic one of an even range; all within the range
        // once rounded.
        const double middle = c.in_ratio ? std::sqrt(c.range.from * c.range.to) : (c.range.from + c.range.to) / 2;
        const double low = *read_value(box_value_text(q, c.range.from));
        const double high = *read_value(box_value_text(q, c.range.to));
        VariantDraw draw(3);
        int below = 0;
        for (int i = 0; i < 400; ++i) {
            const double v = *read_value(box_value_text(q, draw.value(c.range)));
            EXPECT_TRUE(v >= low && v <= high) << c.text << " " << v;
            below += v < middle ? 1 : 0;
        }
        EXPECT_NEAR(below, 200, 40) << c.text;
    }
}

TEST(Variants, TheSeedGivesTheStandardsNumbers)
{
    // The standard fixes the 10000th number of mt19937_64 seeded with 5489.
    VariantDraw draw(5489);
    for (int i = 1; i < 10000; ++i)
        draw.fraction();
    EXPECT_EQ(draw.fraction(), static_cast<double>(9981545732273789042ULL >> 11) * 0x1.0p-53);
    EXPECT_EQ(variant_file_name(7, 25), "variant-07.txt");
    EXPECT_EQ(variant_file_name(7, 100), "variant-007.txt");
    EXPECT_EQ(variant_file_name(100, 100), "variant-100.txt");
}

TEST(Variants, RangesNoBoxCouldShowAreRefused)
{
    const struct {
        VariantRange range;
        const char* why;
    } cases[] = {
        {{Quantity::eta, 2, 0.5}, "ОТ больше ДО"},
        {{Quantity::massa, -1, 5}, "поле «m (кг)» не примет -1: не может быть отрицательной!"},
        {{Quantity::eta, 1, 1e15}, "поле «η (Па·с)» не примет 1E+15: не может быть таким большим!"},
        {{Quantity::Tmax, 0, 5}, "поле «Т (с)» не примет 0: Должно быть больше 0!"},
        {{Quantity::fi0, 10.0001, 10.0004},
         "поле «φo (°)» показывает 3 знака после точки: от ОТ до ДО в нём одно значение, 10.000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(range_refusal(c.range).value_or(""), c.why);
    // Refused only beside some other values: left to the draws.
    for (const VariantRange r : {VariantRange{Quantity::diametr_2, 0.1, 0.2}, VariantRange{Quantity::massa, 0, 1},
                                 VariantRange{Quantity::fi0, 0, 0}, VariantRange{Quantity::diametr_1, 0.5, 0.6}})
        EXPECT_EQ(range_refusal(r), std::nullopt) << quantity_row(r.quantity).name;
}

TEST(Variants, DrawsTheBoxesOrTheStartRefuseAreDrawnAgain)
{
    const LabInputs base = started_lab({{Quantity::Tmax, 1}}); // d1 = 0.3
    const struct {
        std::vector<VariantRange> ranges;
        const char* error; // "" when the variants are made
    } cases[] = {
        {{{Quantity::diametr_2, 0.25, 0.5}, {Quantity::eta, 0.5, 2}}, ""},
        {{{Quantity::diametr_2, 0.1, 0.3}},
         "вариант 1 не составлен: за 1000 попыток ни одно сочетание значений не прошло проверок полей и пуска; "
         "последняя причина: Ошибка, d2 (м): Не может быть <=d1! Не вводите заново, а исправьте!"},
        {{{Quantity::Tmax, 400000, 900000}}, "последняя причина: Расчёт займёт "},
    };
    for (const auto& c : cases) {
        const VariantSet set = draw_variants(base, c.ranges, 5, 20);
        if (*c.error != '\0') {
            EXPECT_NE(set.error.find(c.error), std::string::npos) << set.error;
            EXPECT_TRUE(set.variants.empty());
            EXPECT_EQ(set.draws, max_variant_draws);
            continue;
        }
        ASSERT_EQ(set.variants.size(), 20u) << set.error;
        EXPECT_GT(set.draws, 20);
        for (const Variant& v : set.variants)
            EXPECT_GT(v.lab.p.diametr_2, 0.3) << v.file;
    }
}

TEST(Variants, TheSameSeedGivesTheSameFiles)
{
    const LabInputs base = started_lab({{Quantity::Tmax, 1}});
    const std::vector<VariantRange> ranges = {{Quantity::fi0, 10, 40}, {Quantity::eta, 0.0001, 0.1}};
    const VariantSet first = draw_variants(base, ranges, 11, 5);
    const VariantSet again = draw_variants(base, {ranges[1], ranges[0]}, 11, 5);
    const VariantSet other = draw_variants(base, ranges, 12, 5);
    const VariantSet fewer = draw_variants(base, ranges, 11, 3);
    ASSERT_EQ(first.variants.size(), 5u);
    EXPECT_EQ(first.drawn, (std::vector<Quantity>{Quantity::eta, Quantity::fi0}));
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(again.variants[i].file, first.variants[i].file);
        EXPECT_NE(other.variants[i].lab.p.eta, first.variants[i].lab.p.eta);
        EXPECT_NE(other.variants[i].lab.p.fi0, first.variants[i].lab.p.fi0);
        if (i < 3) {
            EXPECT_EQ(fewer.variants[i].lab.p.eta, first.variants[i].lab.p.eta);
            EXPECT_EQ(fewer.variants[i].lab.p.fi0, first.variants[i].lab.p.fi0);
        }
    }
}

} // namespace
} // namespace vp
