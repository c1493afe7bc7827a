// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/validation.h"

#include "input/number_reading.h"

#include <cmath>
#include <limits>

namespace vp {
namespace {

constexpr std::string_view advice = " Не вводите заново, а исправьте!";

bool reads_negative(std::string_view text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            return c == '-';
    }
    return false;
}

} // namespace

std::optional<std::string_view> box_complaint(Quantity q, double v, const Parameters& p)
{
    const QuantityRow& row = quantity_row(q);
    for (const Rule& rule : row.rules) {
        if (rule.broken && rule.broken(v, p))
            return rule.complaint;
    }
    if (!(std::fabs(v) < largest_magnitude))
        return row.too_large;
    return std::nullopt;
}

Decision decide(Quantity q, std::string_view text, const Parameters& p, WarningMemories& m)
{
    const QuantityRow& row = quantity_row(q);
    const NumberReading reading = read_number(text);
    // Beyond the range of a double the number is tested as an infinity,
    // which no box accepts; only a replacement is ever stored.
    const double tested = reading.in_range       ? reading.value
                          : reads_negative(text) ? -std::numeric_limits<double>::infinity()
                                                 : std::numeric_limits<double>::infinity();
    Decision d;
    d.value = tested;
    const Warning& warning = row.warning;
    if (const auto complaint = box_complaint(q, tested, p)) {
        d.value = row.replacement(p);
        d.message = Message{MessageKind::error, std::string(*complaint) + std::string(advice)};
        if (warning.comes_again)
            m.*warning.memory = sphere_marker;
    } else if (warning.memory && tested == 0 && m.*warning.memory != warning.text) {
        m.*warning.memory = warning.text;
        d.message = Message{MessageKind::warning, std::string(warning.text)};
    } else if (warning.comes_again) {
        m.*warning.memory = sphere_marker;
    }
    if (row.group.visible && !row.group.after_write_back)
        d.visibility_before = Visibility{row.group.group, row.group.visible(d.value, p)};
    d.text = display_text(q, d.value);
    return d;
}

std::optional<Visibility> after_write_back(Quantity q, Parameters& p)
{
    const QuantityRow& row = quantity_row(q);
    if (row.after_write_back)
        row.after_write_back(p);
    if (row.group.visible && row.group.after_write_back)
        return Visibility{row.group.group, row.group.visible(quantity(p, q), p)};
    return std::nullopt;
}

} // namespace vp
