// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/explanation_texts.h"

#include "texts/number_text.h"

#include <charconv>

namespace vp {
namespace {

// The first letter of a sentence made a capital: a Latin one, or a Cyrillic
// one of а..я (two bytes in UTF-8: D0 B0..D0 BF and D1 80..D1 8F, their
// capitals D0 90..D0 AF).
std::string capitalised(std::string text)
{
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (byte(0) >= 'a' && byte(0) <= 'z') {
        text[0] = static_cast<char>(byte(0) - 0x20);
    } else if (text.size() > 1 && byte(0) == 0xD0 && byte(1) >= 0xB0 && byte(1) <= 0xBF) {
        text[1] = static_cast<char>(byte(1) - 0x20);
    } else if (text.size() > 1 && byte(0) == 0xD1 && byte(1) >= 0x80 && byte(1) <= 0x8F) {
        text[0] = static_cast<char>(0xD0);
        text[1] = static_cast<char>(byte(1) + 0x20);
    }
    return text;
}

} // namespace

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

std::string analysis_status_text(const SwingAnalysis& a, bool run_started, bool run_ended, std::size_t steps,
                                 std::string_view s)
{
    if (!run_started)
        return "Расчёта ещё не было: запустите расчёт кнопкой «ПУСК».";
    const auto number = [s](double v) { return with_decimal_separator(format_number(v, "0.000"), s); };
    std::string text = "Положение равновесия: " + bare_number_text(a.equilibrium()) +
                       "°. Точек поворота: " + std::to_string(a.turning_points().size()) + ".";
    if (a.went_over_the_top())
        text += " Тело переходило через верхнее положение.";
    if (!a.changes().empty())
        text += " Параметры менялись во время расчёта (последний раз при t = " + number(a.changes().back().t) +
                " c): каждая часть сравнивается со своими характеристиками, сводка — по последней.";
    if (std::string end = swing_end_text(a, run_ended, s); !end.empty()) {
        text += " " + capitalised(end);
        if (a.swing_end(run_ended) == SwingEnd::aperiodic) {
            if (const std::optional<double> tau = a.e_fold_time())
                text += ": отклонение от равновесия спадает в e раз за " + number(*tau) + " c";
            else
                text += "; за время расчёта отклонение не уменьшилось в e раз";
        }
        text += ".";
    }
    if (!run_ended)
        text += " Идёт расчёт (" + std::to_string(steps) + " " +
                std::string(plural_form(static_cast<long long>(steps), "шаг", "шага", "шагов")) + ").";
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
