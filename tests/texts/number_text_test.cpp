// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/number_text.h"

#include "tests/support/c_library_locale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vp {
namespace {

struct FormatCase {
    double value;
    const char* mask;
    const char* expected;
};

TEST(NumberText, FormatsByMask)
{
    const FormatCase cases[] = {
        // the boxes' fixed formats
        {15.499, "0.0000", "15.4990"},
        {0.4, "0.0000", "0.4000"},
        {0.001004, "0.0000000", "0.0010040"},
        {0.001004, "0.00000000", "0.00100400"},
        {37, "0.000", "37.000"},
        {-3.5, "0.000", "-3.500"},
        {1000, "0.0000", "1000.0000"},
        {0.30004, "0.0000", "0.3000"},
        {0.00000004, "0.0000000", "0.0000000"},
        {16.5678, "0.000", "16.568"},
        {1e20, "0.00", "100000000000000000000.00"},
        // halves go away from zero on the decimal value
        {2.675, "0.00", "2.68"},
        {-2.675, "0.00", "-2.68"},
        {0.125, "0.00", "0.13"},
        {0.005, "0.00", "0.01"},
        {0.0049, "0.00", "0.00"},
        {9.9996, "0.000", "10.000"},
        {-0.001, "0.00", "0.00"},
        {-0.0, "0.000", "0.000"},
        // grid and period labels
        {-24, "#0.000", "-24.000"},
        {0.5, "#0.000", "0.500"},
        {-0.55, "0.00", "-0.55"},
        {2, " 0", " 2"},
        {10, " 0", " 10"},
        {0.0217081, "0.000000", "0.021708"},
        // scientific
        {462.5, "0.000E+00", "4.625E+02"},
        {0, "0.000E+00", "0.000E+00"},
        {-23.02, "0.000E+00", "-2.302E+01"},
        {1.186e-4, "0.000E+00", "1.186E-04"},
        {9.9996, "0.000E+00", "1.000E+01"},
        {1e100, "0.000E+00", "1.000E+100"},
        {7800, "0.000e+00", "7.800e+03"},
        {0.0224, "0.0000e+00", "2.2400e-02"},
        {-0.1597, "0.0000e+00", "-1.5970e-01"},
        {9.5, "0.0000e+00", "9.5000e+00"},
        {0, "0.0000e+00", "0.0000e+00"},
        {std::numeric_limits<double>::denorm_min(), "0.000E+00", "4.941E-324"},
    };
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const auto& c : cases)
            EXPECT_EQ(format_number(c.value, c.mask), c.expected)
                << c.value << " by \"" << c.mask << "\" in " << locale;
    }
}

TEST(NumberText, PlainText)
{
    const std::pair<double, const char*> cases[] = {
        {0.4, " .4"},
        {1.5, " 1.5"},
        {0.001004, " .001004"},
        {37, " 37"},
        {-3.5, "-3.5"},
        {16, " 16"},
        {1000, " 1000"},
        {0.00001, " 1E-05"},
        {0.0001, " .0001"},
        {0, " 0"},
        {-0.5, "-.5"},
        {1e15, " 1E+15"},
        {123456789012345, " 123456789012345"},
        {0.1 + 0.2, " .3"},
        {1.5e-5, " 1.5E-05"},
        {-2.5e-7, "-2.5E-07"},
        {40, " 40"},
        {16.568, " 16.568"},
        {1e300, " 1E+300"},
        {2.0 / 3, " .666666666666667"},
    };
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const auto& [value, expected] : cases)
            EXPECT_EQ(plain_number_text(value), expected) << value << " in " << locale;
        EXPECT_EQ(bare_number_text(100), "100");
        EXPECT_EQ(bare_number_text(-3.5), "-3.5");
    }
}

TEST(NumberText, DecimalSeparator)
{
    EXPECT_EQ(with_decimal_separator("-2.302E+01", ","), "-2,302E+01");
    EXPECT_EQ(with_decimal_separator("1.5", "."), "1.5");
    EXPECT_EQ(with_decimal_separator("1.5", "٫"), "1٫5");
}

TEST(NumberText, RussianPluralForms)
{
    const std::pair<long long, std::string_view> cases[] = {
        {0, "шагов"},  {1, "шаг"},  {2, "шага"},  {4, "шага"},   {5, "шагов"}, {11, "шагов"},  {12, "шагов"},
        {14, "шагов"}, {21, "шаг"}, {22, "шага"}, {25, "шагов"}, {101, "шаг"}, {111, "шагов"}, {1000002, "шага"},
    };
    for (const auto& [n, form] : cases)
        EXPECT_EQ(plural_form(n, "шаг", "шага", "шагов"), form) << n;
}

} // namespace
} // namespace vp
