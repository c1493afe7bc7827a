// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/table_texts.h"

#include "analysis/plain_numbers.h"
#include "texts/characteristic_table.h"
#include "texts/number_text.h"

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
