// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/run_messages.h"

#include "texts/number_text.h"

#include <cmath>

namespace vp {
namespace {

// A count and its noun: whole digits while that reads well, E notation
// beyond; the noun in the form the number takes in Russian (1 шаг, 2 шага,
// 5 шагов, 21 шаг; 1 год, 3 года, 11 лет).
struct Noun {
    const char* one;
    const char* few;
    const char* many;
};

std::string counted(double n, const Noun& noun)
{
    const double whole = std::round(n);
    if (whole >= 1e9)
        return format_number(whole, "0.0E+00") + " " + noun.many;
    return bare_number_text(whole) + " " +
           std::string(plural_form(static_cast<long long>(whole), noun.one, noun.few, noun.many));
}

std::string duration_text(double seconds)
{
    constexpr double minute = 60, hour = 3600, day = 86400, year = 365.25 * day;
    if (seconds < 2 * hour)
        return counted(seconds / minute, {"мин", "мин", "мин"});
    if (seconds < 2 * day)
        return counted(seconds / hour, {"ч", "ч", "ч"});
    if (seconds < 2 * year)
        return counted(seconds / day, {"сут", "сут", "сут"});
    return counted(seconds / year, {"год", "года", "лет"});
}

} // namespace

std::string refusal_message(RunRefusal refusal, const Parameters& p, const Characteristics& c, double seconds_per_step)
{
    switch (refusal) {
    case RunRefusal::none: return {};
    case RunRefusal::motion_undefined: return "При этих параметрах движение рассчитать нельзя! Исправьте параметры!";
    case RunRefusal::out_of_range:
        return "При этих параметрах энергия или размах колебаний слишком велики для расчёта! Исправьте параметры!";
    case RunRefusal::too_long: {
        const double steps = run_steps(p.Tmax, c.shag);
        return "Расчёт займёт " + counted(steps, {"шаг", "шага", "шагов"}) + ", это " +
               duration_text(steps * seconds_per_step) +
               "! Уменьшите время расчёта или число точек на период. Исправьте параметры!";
    }
    }
    return {};
}

std::string failure_message(double t_f, std::string_view decimal_separator)
{
    return "Расчёт остановлен при t = " + with_decimal_separator(format_number(t_f, "0.000000"), decimal_separator) +
           " c: следующий шаг дал бы не число! Увеличьте число точек на период или исправьте параметры!";
}

} // namespace vp
