// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/explanation_texts.h"

#include "texts/number_text.h"

#include <charconv>

namespace vp {

std::string short_number(double value, std::string_view separator)
{
    char buffer[32];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 4).ptr;
    return with_decimal_separator(std::string(buffer, end), separator);
}

const char* theory_note_text(SwingTheoryNote note)
{
    switch (note) {
    case SwingTheoryNote::over_the_top: return "через верх";
    case SwingTheoryNote::aperiodic: return "нет колебаний";
    case SwingTheoryNote::none:
    case SwingTheoryNote::no_swing: break;
    }
    return "";
}

const char* reading_text(Reading reading)
{
    switch (reading) {
    case Reading::within_noise: return "≈ 0 (в пределах погрешности расчёта)";
    case Reading::unresolved: return "не разрешается";
    case Reading::number:
    case Reading::above: break;
    }
    return "";
}

std::string swing_end_text(const SwingAnalysis& a, bool run_ended, std::string_view s)
{
    const auto time = [s](double t) { return with_decimal_separator(format_number(t, "0.000"), s); };
    std::string text;
    switch (a.swing_end(run_ended)) {
    case SwingEnd::swings: break;
    case SwingEnd::none_yet: return "точек поворота пока нет";
    case SwingEnd::aperiodic: return "движение апериодическое";
    case SwingEnd::none_before_end: return "до T = " + time(a.last_t()) + " c точек поворота нет";
    case SwingEnd::none_after_last:
        text = "после t = " + time(a.turning_points().back().t) + " c до T = " + time(a.last_t()) +
               " c точек поворота нет";
        break;
    }
    if (run_ended && a.died_out())
        text += text.empty() ? "колебания практически затухли" : "; колебания практически затухли";
    return text;
}

std::string energy_text(const EnergySummary& e, std::string_view s)
{
    const double taken = e.D_lin + e.D_quad;
    const auto share = [&](double d) { return short_number(100 * d / taken, s) + " %"; };
    std::string text = e.from_t > 0
                           ? "Энергия с t = " + with_decimal_separator(format_number(e.from_t, "0.000"), s) + " c: "
                           : std::string("Энергия за расчёт: ");
    if (taken > 0)
        text += "линейное (стоксово) трение забрало " + short_number(e.D_lin, s) + " Дж (" + share(e.D_lin) +
                "), квадратичное — " + short_number(e.D_quad, s) + " Дж (" + share(e.D_quad) + ")";
    else
        text += "сопротивление энергию не забирало";
    text += "; наибольшая невязка баланса " + short_number(e.largest_residual, s) + " Дж";
    if (e.available > 0)
        text += " (" + short_number(100 * e.largest_residual / e.available, s) + " % от W_00 − W_min)";
    return text + ".";
}

std::string regime_text(const DragReading& d, std::string_view s)
{
    std::string text;
    if (d.Re_sphere)
        text += "Re сферы до " + short_number(*d.Re_sphere, s);
    if (d.Re_rod)
        text += (text.empty() ? "Re стержня до " : ", Re стержня до ") + short_number(*d.Re_rod, s);
    if (d.moment_ratio && *d.moment_ratio > 0) {
        const bool more = *d.moment_ratio >= 1;
        text += text.empty() ? "Квадратичный" : "; квадратичный";
        text += std::string(" момент сопротивления ") + (more ? "больше" : "меньше") + " линейного в " +
                short_number(more ? *d.moment_ratio : 1 / *d.moment_ratio, s) + " раза";
    }
    if (!text.empty())
        text += ". ";
    return text + "Режим обтекания: " + regime_sentence(d.regime) + ".";
}

} // namespace vp
