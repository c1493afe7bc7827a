// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/table_texts.h"

#include "analysis/explanation_texts.h"
#include "analysis/plain_numbers.h"
#include "texts/characteristic_table.h"
#include "texts/number_text.h"

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

std::string shown(double value, std::string_view mask, std::string_view separator)
{
    return with_decimal_separator(format_number(value, mask), separator);
}

std::string shown(const std::optional<double>& value, std::string_view mask, std::string_view separator)
{
    return value ? shown(*value, mask, separator) : std::string();
}

} // namespace

const std::array<std::string_view, swing_columns>& swing_headings()
{
    static const std::array<std::string_view, swing_columns> headings = {
        "№", "t, c", "φ, °", "A, °", "T, c", "T(A, v²), c", "A(n−2)/A(n)", "Θ", "Θ(A, v²)"};
    return headings;
}

std::array<std::string, swing_columns> swing_row(std::size_t number, const TurningPoint& p, std::string_view s)
{
    const auto theory = [&](const std::optional<double>& v, std::string_view mask) {
        return v ? shown(*v, mask, s) : std::string(theory_note_text(p.theory.note));
    };
    // Near the critical viscosity the overshoot is a few thousandths of a
    // degree or less: it must not read as zero.
    const auto angle = [s](double v) { return shown(v, v != 0 && std::abs(v) < 0.001 ? "0.000E+00" : "0.000", s); };
    return {std::to_string(number),
            shown(p.t, "0.0000", s),
            angle(p.fi_deg),
            angle(p.amplitude),
            shown(p.period, "0.0000", s),
            theory(p.theory.period, "0.0000"),
            shown(p.ratio, "0.00000", s),
            shown(p.log_decrement, "0.000E+00", s),
            theory(p.theory.log_decrement, "0.000E+00")};
}

std::string physics_change_text(double t, std::string_view s)
{
    return "с t = " + shown(t, "0.0000", s) + " c — новые параметры";
}

const std::array<std::string_view, summary_columns>& summary_headings()
{
    static const std::array<std::string_view, summary_columns> headings = {
        "Величина", "Измерено", "±", "Теория", "Отличие, %", "теория (A, v²)", "Отличие, %"};
    return headings;
}

std::array<std::string, summary_columns> summary_row(const Comparison& c, std::string_view s)
{
    std::string name = c.symbol;
    if (*c.unit != '\0')
        name += std::string(", ") + c.unit;
    const auto value = [s](const std::optional<double>& v, std::string_view mask) {
        return v ? shown(*v, mask, s) : std::string("—");
    };
    std::string measured = value(c.measured, "0.0000E+00");
    if (c.reading == Reading::above)
        measured = "> " + measured;
    else if (c.reading != Reading::number)
        measured = reading_text(c.reading);
    return {name,
            measured,
            c.reading == Reading::number && c.error ? shown(*c.error, "0.0E+00", s) : std::string(),
            value(c.theory, "0.0000E+00"),
            value(c.difference_percent, "0.00"),
            value(c.swing_theory, "0.0000E+00"),
            value(c.swing_difference_percent, "0.00")};
}

std::string swing_table_text(const SwingAnalysis& a, const RunExplanation& e, bool run_ended, std::string_view s)
{
    std::string text = "№\tt, c\tφ, °\tA, °\tT, c\tT(A, v²), c\tA(n-2)/A(n)\tΘ\tΘ(A, v²)\n";
    const auto theory = [&s](const std::optional<double>& v, SwingTheoryNote note) {
        return v ? cell(*v, s) : std::string(theory_note_text(note));
    };
    std::size_t n = 0;
    auto change = a.changes().begin();
    for (const TurningPoint& p : a.turning_points()) {
        for (; change != a.changes().end() && change->first_point == n; ++change)
            text += "новые параметры с t, c\t" + cell(change->t, s) + '\n';
        text += std::to_string(++n) + '\t' + cell(p.t, s) + '\t' + cell(p.fi_deg, s) + '\t' + cell(p.amplitude, s) +
                '\t' + cell(p.period, s) + '\t' + theory(p.theory.period, p.theory.note) + '\t' + cell(p.ratio, s) +
                '\t' + cell(p.log_decrement, s) + '\t' + theory(p.theory.log_decrement, p.theory.note) + '\n';
    }
    for (; change != a.changes().end(); ++change)
        text += "новые параметры с t, c\t" + cell(change->t, s) + '\n';
    text += "\nравновесие, °\t" + cell(a.equilibrium(), s) + '\n';
    if (const std::string end = swing_end_text(a, run_ended, s); !end.empty())
        text += end + '\n';
    const SwingEnd end = a.swing_end(run_ended);
    if (end == SwingEnd::none_yet)
        return text;
    if (end == SwingEnd::aperiodic)
        text += "спад отклонения в e раз, c\t" + cell(a.e_fold_time(), s) + '\n';
    if (!a.aperiodic()) {
        text += "величина\tизмерено\t±\tтеория\tотличие, %\tтеория (A, v²)\tотличие, %\n";
        for (const Comparison& c : a.comparisons()) {
            std::string name = c.symbol;
            if (*c.unit != '\0')
                name += std::string(", ") + c.unit;
            std::string measured = c.reading == Reading::number || c.reading == Reading::above
                                       ? cell(c.measured, s)
                                       : std::string(reading_text(c.reading));
            if (c.reading == Reading::above)
                measured = "> " + measured;
            text += name + '\t' + measured + '\t' + cell(c.reading == Reading::number ? c.error : std::nullopt, s) +
                    '\t' + cell(c.theory, s) + '\t' + cell(c.difference_percent, s) + '\t' + cell(c.swing_theory, s) +
                    '\t' + cell(c.swing_difference_percent, s) + '\n';
        }
    }
    if (e.energy)
        text += energy_text(*e.energy, s) + '\n';
    return text + regime_text(e.drag, s) + '\n';
}

std::string characteristics_text(const Parameters& p, const Characteristics& c, std::string_view separator)
{
    const CharacteristicReadings readings = characteristic_readings(p, c);
    std::string text;
    for (const CharacteristicRow& row : characteristic_table()) {
        const CharacteristicReading& r = readings[static_cast<std::size_t>(row.characteristic)];
        text += std::string(row.symbol) + '\t' + characteristic_value_text(row.characteristic, r, separator) + '\t' +
                std::string(row.unit) + '\n';
    }
    return text;
}

} // namespace vp
