// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/run_messages.h"

#include <gtest/gtest.h>

#include <string>

namespace vp {
namespace {

TEST(RunMessages, ARunTooLongSaysHowLongInWordsThatAgreeWithTheNumber)
{
    struct Case {
        double Tmax, shag, seconds_per_step;
        const char* message;
    };
    const Case cases[] = {
        {1.1e5, 0.01, 0.01, "Расчёт займёт 11000000 шагов, это 31 ч!"},
        {2.1e5, 0.01, 0.09, "Расчёт займёт 21000000 шагов, это 22 сут!"},
        {1e9, 1e-6, 0.01, "Расчёт займёт 1.0E+15 шагов, это 316881 год!"},
        {7.3e7, 0.001, 0.05, "Расчёт займёт 7.3E+10 шагов, это 116 лет!"},
        // 11 to 14 take the form of many whatever their last digit.
        {114 * 31557600.0, 1, 1, "Расчёт займёт 3.6E+09 шагов, это 114 лет!"},
        {111 * 31557600.0, 1, 1, "Расчёт займёт 3.5E+09 шагов, это 111 лет!"},
        {22 * 31557600.0, 1, 1, "Расчёт займёт 694267200 шагов, это 22 года!"},
        {101 * 31557600.0, 1, 1, "Расчёт займёт 3.2E+09 шагов, это 101 год!"},
        {10000012, 1, 0.01, "Расчёт займёт 10000012 шагов, это 28 ч!"},
        {10000021, 1, 0.01, "Расчёт займёт 10000021 шаг, это 28 ч!"},
        {10000023, 1, 0.01, "Расчёт займёт 10000023 шага, это 28 ч!"},
    };
    for (const Case& c : cases) {
        Parameters p;
        Characteristics ch;
        p.Tmax = c.Tmax;
        ch.shag = c.shag;
        const std::string text = refusal_message(RunRefusal::too_long, p, ch, c.seconds_per_step);
        EXPECT_EQ(text.substr(0, text.find('!') + 1), c.message);
    }
}

} // namespace
} // namespace vp
