// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/answer_key.h"

#include "series/quantity_names.h"
#include "series/series_table.h"
#include "texts/characteristic_table.h"

namespace vp {
namespace {

struct MeasuredColumn {
    const char* comparison; // the symbol of SwingAnalysis::comparisons()
    const char* csv_name;
};

constexpr MeasuredColumn measured_columns[] = {
    {"Ts", "T_measured_s"},
    {"Θ", "Teta_measured"},
    {"Q", "Q_measured"},
    {"δ", "delta_measured_1_s"},
    {"δ (две силы)", "delta_two_drag_1_s"},
    {"κ (две силы)", "kappa_two_drag_1_rad"},
};

} // namespace

std::string answer_key_csv(const std::vector<Variant>& variants, const std::vector<SeriesPoint>& points,
                           const std::vector<Quantity>& drawn, const CsvDialect& dialect)
{
    std::string text = dialect.byte_order_mark ? std::string(utf8_byte_order_mark) : std::string();
    const auto field = [&text, &dialect](const std::string& value) { text += dialect.separator + value; };
    text += "file";
    for (const Quantity q : drawn)
        field(std::string(quantity_name(q)));
    for (const CharacteristicRow& row : characteristic_table())
        field(std::string(row.name));
    for (const MeasuredColumn& column : measured_columns)
        field(column.csv_name);
    field("reason");
    text += '\n';
    for (std::size_t i = 0; i < variants.size() && i < points.size(); ++i) {
        const Variant& v = variants[i];
        text += csv_field(v.name, dialect);
        for (const Quantity q : drawn)
            field(csv_number(quantity(v.lab.p, q), dialect));
        const CharacteristicReadings readings = characteristic_readings(v.lab.p, v.lab.c);
        for (const CharacteristicRow& row : characteristic_table()) {
            const CharacteristicReading& r = readings[static_cast<std::size_t>(row.characteristic)];
            field(csv_cell(r.shown == Shown::number
                               ? SeriesCell{r.value, {}}
                               : SeriesCell{std::nullopt, characteristic_value_text(row.characteristic, r, ".")},
                           dialect));
        }
        for (const MeasuredColumn& column : measured_columns)
            field(csv_cell(measured_cell(points[i], column.comparison), dialect));
        field(csv_field(points[i].reason, dialect));
        text += '\n';
    }
    return text;
}

} // namespace vp
