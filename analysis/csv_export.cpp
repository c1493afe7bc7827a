// SPDX-License-Identifier: GPL-3.0-or-later
#include "analysis/csv_export.h"

#include "analysis/plain_numbers.h"
#include "model/number_text.h"

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
    text.reserve(piece + 128);
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RunRow r = record.row(i);
        text += csv_number(r.t, dialect);
        text += dialect.separator;
        text += csv_number(r.fi_deg, dialect);
        text += dialect.separator;
        text += csv_number(r.wz, dialect);
        text += dialect.separator;
        text += csv_number(r.W, dialect);
        text += '\n';
        if (text.size() >= piece) {
            sink(text);
            text.clear();
        }
    }
    if (!text.empty())
        sink(text);
}

std::string csv_text(const RunRecord& record, const CsvDialect& dialect)
{
    std::string all;
    write_csv(
        record, [&all](std::string_view piece) { all += piece; }, dialect);
    return all;
}

} // namespace vp
