// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/results_file.h"

#include "texts/number_text.h"

namespace vp {
namespace {

constexpr std::size_t column_width = 14;

std::size_t characters(std::string_view utf8)
{
    std::size_t count = 0;
    for (char c : utf8) {
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++count;
    }
    return count;
}

std::string row_item(double value, std::string_view decimal_separator)
{
    return with_decimal_separator(format_number(value, "0.0000e+00"), decimal_separator);
}

} // namespace

std::string print_line(const std::vector<std::string>& items)
{
    std::string line;
    std::size_t column = 0; // where the next character goes, counted from 0
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            const std::size_t next_stop = (column / column_width + 1) * column_width;
            line.append(next_stop - column, ' ');
            column = next_stop;
        }
        line += items[i];
        column += characters(items[i]);
    }
    const std::size_t last = line.find_last_not_of(' ');
    line.resize(last == std::string::npos ? 0 : last + 1);
    return line;
}

std::vector<std::string> results_head(const std::array<std::string, quantity_count>& box_texts)
{
    std::vector<std::string> lines;
    lines.reserve(results_head_lines);
    lines.emplace_back("    параметры");
    for (std::size_t i = 0; i < box_texts.size(); ++i) {
        const QuantityRow& row = quantity_table()[i];
        const std::string_view caption = row.results_caption.empty() ? row.caption : row.results_caption;
        lines.push_back(print_line({std::string(caption), box_texts[i]}));
    }
    lines.emplace_back("    расчёт");
    lines.emplace_back("    t,c          fi, °       wz, рад/с       W, Дж");
    return lines;
}

std::string results_row(double t_f, double fi_degrees, double wz_new, float W_poln, std::string_view decimal_separator)
{
    return print_line({row_item(t_f, decimal_separator), row_item(fi_degrees, decimal_separator),
                       row_item(wz_new, decimal_separator), row_item(W_poln, decimal_separator)});
}

} // namespace vp
