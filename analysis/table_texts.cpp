// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/table_texts.h"

#include "analysis/plain_numbers.h"
#include "model/constants.h"
#include "model/number_text.h"

#include <cmath>
#include <optional>

namespace vp {
namespace {

std::string cell(double value, std::string_view separator)
{
    return with_decimal_separator(nine_digit_text(value), separator);
}

std::string cell(const std::optional<double>& value, std::string_view separator)
{
    return value ? cell(*value, separator) : std::string();
}

// How a characteristic reads where its label shows a limit instead of a number.
enum class Shown { number, infinite, undefined, tends_to_zero };

Shown finite_or_limit(double value)
{
    if (std::isnan(value))
        return Shown::undefined;
    return std::isinf(value) ? Shown::infinite : Shown::number;
}

// Ts, Θ and Q: defined while the damping leaves an oscillation.
Shown beyond_damping(const Characteristics& c, Shown otherwise)
{
    if (std::isnan(c.W0) || std::isnan(c.delta))
        return Shown::undefined;
    return c.W0 > c.delta ? Shown::number : otherwise;
}

struct Line {
    const char* name;
    double value;
    Shown shown;
    const char* mask;
    const char* unit;
};

std::string value_text(const Line& l, std::string_view separator)
{
    Shown shown = l.shown;
    if (shown == Shown::number)
        shown = finite_or_limit(l.value);
    switch (shown) {
    case Shown::number: return with_decimal_separator(format_number(l.value, l.mask), separator);
    case Shown::infinite: return "-> oo";
    case Shown::tends_to_zero: return "-> 0";
    case Shown::undefined: break;
    }
    return "???";
}

} // namespace

std::string swing_table_text(const SwingAnalysis& a, bool run_ended, std::string_view s)
{
    std::string text = "№\tt, c\tφ, °\tA, °\tT, c\tA(n-2)/A(n)\tΘ\n";
    std::size_t n = 0;
    for (const TurningPoint& p : a.turning_points()) {
        text += std::to_string(++n) + '\t' + cell(p.t, s) + '\t' + cell(p.fi_deg, s) + '\t' + cell(p.amplitude, s) +
                '\t' + cell(p.period, s) + '\t' + cell(p.ratio, s) + '\t' + cell(p.log_decrement, s) + '\n';
    }
    text += "\nравновесие, °\t" + cell(a.equilibrium(), s) + '\n';
    if (a.aperiodic()) {
        if (!run_ended) {
            text += "точек поворота пока нет\n";
            return text;
        }
        text += "движение апериодическое\n";
        text += "спад отклонения в e раз, c\t" + cell(a.e_fold_time(), s) + '\n';
        return text;
    }
    text += "величина\tизмерено\tтеория\tотличие, %\n";
    for (const Comparison& c : a.comparisons()) {
        std::string name = c.symbol;
        if (*c.unit != '\0')
            name += std::string(", ") + c.unit;
        text +=
            name + '\t' + cell(c.measured, s) + '\t' + cell(c.theory, s) + '\t' + cell(c.difference_percent, s) + '\n';
    }
    return text;
}

std::string characteristics_text(const Parameters& p, const Characteristics& c, std::string_view separator)
{
    Shown quality = beyond_damping(c, Shown::tends_to_zero);
    if (quality == Shown::number && c.Teta == 0)
        quality = Shown::infinite;
    const bool no_quadratic_drag = c.fi_2_x == 0;

    const Line lines[16] = {
        {"ρ", c.ro, Shown::number, "0.000E+00", "кг/м3"},
        {"ρ_sf", c.ro_ss, Shown::number, "0.000E+00", "кг/м3"},
        {"mo", c.m0, Shown::number, "0.000E+00", "кг"},
        {"ρ_s", c.ro_st, Shown::number, "0.000e+00", "кг/м3"},
        {"I", c.MI, Shown::number, "0.000e+00", "кг·м2"},
        {"δ", c.delta, Shown::number, "0.000E+00", "рад/c"},
        {"ωo", c.W0, Shown::number, "0.000E+00", "рад/c"},
        {"ωs", c.Ws, Shown::number, "0.000E+00", "рад/c"},
        {"To", c.T0, Shown::number, "0.000E+00", "c"},
        {"Ts", c.Ts, beyond_damping(c, Shown::infinite), "0.000E+00", "c"},
        {"η_кр", c.eta_kr, p.massa != 0 ? Shown::number : Shown::undefined, "0.000E+00", "Па·с"},
        {"φ2", no_quadratic_drag ? 0 : (1 / c.fi_2_x) / k_grad_rad, no_quadratic_drag ? Shown::infinite : Shown::number,
         "0.000E+00", "°"},
        {"Θ", c.Teta, beyond_damping(c, Shown::infinite), "0.000E+00", ""},
        {"Q", c.dobrot, quality, "0.000E+00", ""},
        {"Lцм", c.x_c_m, Shown::number, "0.000e+00", "м"},
        {"M_L", c.Mm_L, Shown::number, "0.000E+00", "кг·м"},
    };
    std::string text;
    for (const Line& l : lines)
        text += std::string(l.name) + '\t' + value_text(l, separator) + '\t' + l.unit + '\n';
    return text;
}

} // namespace vp
