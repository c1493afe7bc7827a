// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/series_table.h"

#include "analysis/explanation_texts.h"
#include "analysis/plain_numbers.h"
#include "series/quantity_names.h"
#include "texts/number_text.h"
#include "texts/padding.h"

#include <cmath>
#include <cstring>

namespace vp {
namespace {

const Comparison* comparison(const SeriesPoint& p, const char* symbol)
{
    for (const Comparison& c : p.comparisons) {
        if (std::strcmp(c.symbol, symbol) == 0)
            return &c;
    }
    return nullptr;
}

enum class Part { measured, theory, difference };

SeriesCell compared(const SeriesPoint& p, const char* symbol, Part part)
{
    const Comparison* c = comparison(p, symbol);
    if (c == nullptr)
        return {};
    switch (part) {
    case Part::measured:
        if (c->reading == Reading::number || c->reading == Reading::above)
            return {c->measured, {}, c->reading == Reading::above};
        return {std::nullopt, reading_text(c->reading)};
    case Part::theory: return {c->theory, {}};
    case Part::difference: return {c->difference_percent, {}};
    }
    return {};
}

SeriesCell measured_only(const SeriesPoint& p, double v)
{
    return {p.computed ? std::optional<double>(v) : std::nullopt, {}};
}

} // namespace

const std::vector<SeriesColumnInfo>& series_columns()
{
    static const std::vector<SeriesColumnInfo> columns = {
        {SeriesColumn::value, "", "", ""},
        {SeriesColumn::T, "T, c", "T_s", "0.0000"},
        {SeriesColumn::Ts, "Ts, c (теория)", "Ts_s", "0.0000"},
        {SeriesColumn::T_difference, "T − Ts, %", "T_diff_pct", "0.00"},
        {SeriesColumn::Teta, "Θ", "Teta", "0.000E+00"},
        {SeriesColumn::Teta_theory, "Θ (теория)", "Teta_theory", "0.000E+00"},
        {SeriesColumn::Teta_difference, "ΔΘ, %", "Teta_diff_pct", "0.00"},
        {SeriesColumn::Q, "Q", "Q", "0.000E+00"},
        {SeriesColumn::Q_theory, "Q (теория)", "Q_theory", "0.000E+00"},
        {SeriesColumn::Q_difference, "ΔQ, %", "Q_diff_pct", "0.00"},
        {SeriesColumn::delta, "δ, рад/c", "delta_1_s", "0.000E+00"},
        {SeriesColumn::delta_theory, "δ, рад/c (теория)", "delta_theory_1_s", "0.000E+00"},
        {SeriesColumn::delta_difference, "Δδ, %", "delta_diff_pct", "0.00"},
        {SeriesColumn::turning_points, "точек поворота", "turning_points", ""},
        {SeriesColumn::crossings, "прохождений равновесия", "crossings", ""},
        {SeriesColumn::e_fold_time, "спад в e раз, c", "e_fold_s", "0.000"},
        {SeriesColumn::regime, "движение", "aperiodic", ""},
        {SeriesColumn::reason, "почему не рассчитано", "reason", ""},
    };
    return columns;
}

std::string column_heading(const SeriesColumnInfo& info, Quantity varied)
{
    return std::string(info.column == SeriesColumn::value ? quantity_label(varied) : info.heading);
}

std::string column_csv_name(const SeriesColumnInfo& info, Quantity varied)
{
    return std::string(info.column == SeriesColumn::value ? quantity_name(varied) : info.csv_name);
}

SeriesCell series_cell(const SeriesPoint& p, SeriesColumn column)
{
    switch (column) {
    case SeriesColumn::value: return {p.value, {}};
    case SeriesColumn::T: return compared(p, "Ts", Part::measured);
    case SeriesColumn::Ts: return compared(p, "Ts", Part::theory);
    case SeriesColumn::T_difference: return compared(p, "Ts", Part::difference);
    case SeriesColumn::Teta: return compared(p, "Θ", Part::measured);
    case SeriesColumn::Teta_theory: return compared(p, "Θ", Part::theory);
    case SeriesColumn::Teta_difference: return compared(p, "Θ", Part::difference);
    case SeriesColumn::Q: return compared(p, "Q", Part::measured);
    case SeriesColumn::Q_theory: return compared(p, "Q", Part::theory);
    case SeriesColumn::Q_difference: return compared(p, "Q", Part::difference);
    case SeriesColumn::delta: return compared(p, "δ", Part::measured);
    case SeriesColumn::delta_theory: return compared(p, "δ", Part::theory);
    case SeriesColumn::delta_difference: return compared(p, "δ", Part::difference);
    case SeriesColumn::turning_points: return measured_only(p, static_cast<double>(p.turning_points));
    case SeriesColumn::crossings: return measured_only(p, static_cast<double>(p.crossings));
    case SeriesColumn::e_fold_time: return {p.computed ? p.e_fold_time : std::nullopt, {}};
    case SeriesColumn::regime:
        if (!p.computed)
            return {};
        return {std::nullopt, p.aperiodic ? "апериодическое" : "колебания"};
    case SeriesColumn::reason: return {std::nullopt, p.reason};
    }
    return {};
}

std::string cell_text(const SeriesCell& cell, const std::function<std::string(double)>& number)
{
    if (!cell.number)
        return cell.text;
    return (cell.bound ? "> " : "") + number(*cell.number);
}

std::string shown_cell_text(const SeriesPoint& point, const SeriesColumnInfo& info, std::string_view separator)
{
    if (info.column == SeriesColumn::value) {
        return std::string(without_padding(point.text));
    }
    return cell_text(series_cell(point, info.column), [&info, separator](double v) {
        if (info.mask.empty())
            return std::to_string(std::llround(v));
        return with_decimal_separator(format_number(v, info.mask), separator);
    });
}

std::string series_table_text(const std::vector<SeriesPoint>& points, Quantity varied,
                              std::string_view decimal_separator)
{
    std::string text;
    const std::vector<SeriesColumnInfo>& columns = series_columns();
    for (std::size_t i = 0; i < columns.size(); ++i)
        text += (i > 0 ? "\t" : "") + column_heading(columns[i], varied);
    text += '\n';
    for (const SeriesPoint& p : points) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += '\t';
            text += cell_text(series_cell(p, columns[i].column), [decimal_separator](double v) {
                return with_decimal_separator(nine_digit_text(v), decimal_separator);
            });
        }
        text += '\n';
    }
    return text;
}

SeriesCell measured_cell(const SeriesPoint& point, const char* symbol)
{
    return compared(point, symbol, Part::measured);
}

std::string csv_cell(const SeriesCell& cell, const CsvDialect& dialect)
{
    const std::string written = cell_text(cell, [&dialect](double v) { return csv_number(v, dialect); });
    return cell.number && !cell.bound ? written : csv_field(written, dialect);
}

std::string series_csv(const std::vector<SeriesPoint>& points, Quantity varied, const CsvDialect& dialect)
{
    std::string text = dialect.byte_order_mark ? std::string(utf8_byte_order_mark) : std::string();
    const std::vector<SeriesColumnInfo>& columns = series_columns();
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            text += dialect.separator;
        text += column_csv_name(columns[i], varied);
    }
    text += '\n';
    for (const SeriesPoint& p : points) {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            if (i > 0)
                text += dialect.separator;
            const SeriesColumn column = columns[i].column;
            if (column == SeriesColumn::regime) {
                // A flag for the programs that read the file: 1 aperiodic, 0 swinging.
                text += p.computed ? (p.aperiodic ? "1" : "0") : "";
                continue;
            }
            text += csv_cell(series_cell(p, column), dialect);
        }
        text += '\n';
    }
    return text;
}

const std::vector<SeriesPlot>& series_plots()
{
    static const std::vector<SeriesPlot> plots = {
        {"Логарифмический декремент Θ", SeriesColumn::Teta, SeriesColumn::Teta_theory},
        {"Период T, c", SeriesColumn::T, SeriesColumn::Ts},
        {"Добротность Q", SeriesColumn::Q, SeriesColumn::Q_theory},
        {"Коэффициент затухания δ, рад/c", SeriesColumn::delta, SeriesColumn::delta_theory},
        {"Спад отклонения в e раз, c", SeriesColumn::e_fold_time, std::nullopt},
        {"Прохождения равновесия", SeriesColumn::crossings, std::nullopt},
    };
    return plots;
}

} // namespace vp
