// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/csv_export.h"

#include "analysis/plain_numbers.h"
#include "texts/number_text.h"

#include <algorithm>

namespace vp {

CsvDialect excel_csv(std::string_view decimal_separator)
{
    return {';', std::string(decimal_separator), true};
}

std::string csv_number(double value, const CsvDialect& dialect)
{
    return with_decimal_separator(shortest_text(value), dialect.decimal);
}

std::string csv_number(float value, const CsvDialect& dialect)
{
    return with_decimal_separator(shortest_text(value), dialect.decimal);
}

std::string csv_field(std::string_view text, const CsvDialect& dialect)
{
    if (text.find_first_of(std::string{dialect.separator, '"', '\n', '\r'}) == std::string_view::npos)
        return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

void write_csv(const RunRecord& record, const std::function<void(std::string_view)>& sink, const CsvDialect& dialect)
{
    constexpr std::size_t piece = 64 * 1024;
    std::string text = dialect.byte_order_mark ? std::string(utf8_byte_order_mark) : std::string();
    text += csv_header;
    std::replace(text.begin(), text.end(), ',', dialect.separator);
    text.reserve(piece + 256);
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RunRow r = record.row(i);
        const EnergyRow e = record.energy(i);
        text += csv_number(r.t, dialect);
        for (const double v : {r.fi_deg, r.wz}) {
            text += dialect.separator;
            text += csv_number(v, dialect);
        }
        text += dialect.separator;
        text += csv_number(r.W, dialect);
        for (const double v : {e.W_kin, e.W_pot, e.D_lin, e.D_quad}) {
            text += dialect.separator;
            text += csv_number(v, dialect);
        }
        text += '\n';
        if (text.size() >= piece) {
            sink(text);
            text.clear();
        }
    }
    if (!text.empty())
        sink(text);
}

} // namespace vp
