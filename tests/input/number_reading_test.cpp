// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/number_reading.h"

#include "tests/support/c_library_locale.h"
#include "texts/number_text.h"

#include <gtest/gtest.h>

#include <utility>

namespace vp {
namespace {

TEST(NumberReading, ReadsLongestLeadingNumber)
{
    const std::pair<const char*, double> cases[] = {
        {"15.4990", 15.499},
        {" .4", 0.4},
        {"-3.5", -3.5},
        {"1,5", 1},
        {"", 0},
        {"abc", 0},
        {"1 000", 1000},
        {"1\t2", 12},
        {"\n7", 7},
        {"1 e 3", 1000},
        {"1e3", 1000},
        {"1D2", 100},
        {"1d-2", 0.01},
        {"2E", 2},
        {"2e+", 2},
        {"+5", 5},
        {"-.5", -0.5},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"12abc", 12},
        {"1.2.3", 1.2},
        {"--1", 0},
        {"+-1", 0},
        {"1e5e5", 1e5},
        {".e5", 0},
        {"0.0000", 0},
        {"0e999999", 0},
        {"1e-999", 0},
        {"00012.50", 12.5},
        {"1e0000000000000000000001", 10},
        {"\r5", 0},
        {"5.e2", 500},
        {"1.e3", 1000},
        {"-2.D1", -20},
    };
    // A decimal comma never reads as a separator, whatever the locale.
    for (const char* locale : testing::user_locales) {
        testing::CLibraryLocale in(locale);
        for (const auto& [text, expected] : cases) {
            const NumberReading r = read_number(text);
            EXPECT_TRUE(r.in_range) << '"' << text << "\" in " << locale;
            EXPECT_EQ(r.value, expected) << '"' << text << "\" in " << locale;
        }
    }
}

TEST(NumberReading, ReadingBeyondDoubleRangeIsReported)
{
    for (const char* text : {"1e999", "-1e309", "1e99999999999999999999", "100000e304"}) {
        const NumberReading r = read_number(text);
        EXPECT_FALSE(r.in_range) << text;
        EXPECT_EQ(r.value, 0) << text;
    }
    EXPECT_TRUE(read_number("1.7e308").in_range);
    EXPECT_TRUE(read_number("0.00001e-320").in_range);
}

TEST(NumberReading, ThePlainNumberTextReadsBackExactly)
{
    // Fifteen significant digits carry every value a box accepts (the masks'
    // texts: tests/input/quantity_table_test.cpp).
    for (double v : {15.499, 0.30004, -1.123, 16.5678, 1e-7, 123456.789, 999999999999999.0})
        EXPECT_EQ(read_number(plain_number_text(v)).value, v) << plain_number_text(v);
}

} // namespace
} // namespace vp
