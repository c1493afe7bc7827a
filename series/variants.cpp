// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/variants.h"

#include "input/validation.h"
#include "model/run_check.h"
#include "series/quantity_names.h"
#include "series/series_values.h"
#include "texts/number_text.h"
#include "texts/run_messages.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

std::size_t index(Quantity q)
{
    return static_cast<std::size_t>(q);
}

int mask_decimals(std::string_view mask)
{
    const std::size_t point = mask.find('.');
    return point == std::string_view::npos ? 0 : static_cast<int>(mask.size() - point - 1);
}

std::string without_leading_blanks(const std::string& text)
{
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

std::string in_quotes(std::string_view text)
{
    return "«" + std::string(text) + "»";
}

// Models a box's rules compare its value with: every quantity zero, and
// every quantity far above any the laboratory uses. A value refused beside
// both is refused whatever the others are (the rules compare with another
// quantity or with zero).
const std::array<Parameters, 2>& probe_models()
{
    static const std::array<Parameters, 2> models = [] {
        std::array<Parameters, 2> m{};
        for (const QuantityRow& row : quantity_table())
            quantity(m[1], row.quantity) = largest_magnitude / 10;
        return m;
    }();
    return models;
}

std::optional<std::string_view> refused_whatever_the_others(Quantity q, double v)
{
    std::optional<std::string_view> complaint;
    for (const Parameters& p : probe_models()) {
        complaint = box_complaint(q, v, p);
        if (!complaint)
            return std::nullopt;
    }
    return complaint;
}

// The variant's number in two digits, in three from 100 variants on.
std::string variant_number(int number, int count)
{
    std::string digits = std::to_string(number);
    const std::size_t width = count >= 100 ? 3 : 2;
    if (digits.size() < width)
        digits.insert(0, width - digits.size(), '0');
    return digits;
}

std::string last_line(int number, int count, std::uint64_t seed)
{
    return "Вариант " + variant_number(number, count) + " из " + std::to_string(count) + " (--seed " +
           std::to_string(seed) + ")";
}

} // namespace

bool drawn_in_ratio(const VariantRange& range)
{
    return range.from > 0 && range.to > 0 && range.to / range.from > 10;
}

int box_decimals(Quantity q)
{
    const QuantityRow& row = quantity_row(q);
    const int file = mask_decimals(row.file_mask);
    return row.display_mask.empty() ? file : std::min(mask_decimals(row.display_mask), file);
}

std::string box_value_text(Quantity q, double value)
{
    const std::string rounded =
        format_number(value, "0." + std::string(static_cast<std::size_t>(box_decimals(q)), '0'));
    // + 0.0: a value rounded to zero is the zero the box shows, never -0.
    return without_leading_blanks(display_text(q, read_value(rounded).value_or(value) + 0.0));
}

std::optional<std::string> range_refusal(const VariantRange& range)
{
    const std::string box = "поле " + in_quotes(quantity_label(range.quantity));
    if (range.from > range.to)
        return "ОТ больше ДО";
    for (const double end : {range.from, range.to}) {
        if (const auto complaint = refused_whatever_the_others(range.quantity, end))
            return box + " не примет " + bare_number_text(end) + ": " + std::string(*complaint);
    }
    const std::string from = box_value_text(range.quantity, range.from);
    if (range.from < range.to && from == box_value_text(range.quantity, range.to)) {
        const int decimals = box_decimals(range.quantity);
        return box + " показывает " + std::to_string(decimals) + " " +
               std::string(plural_form(decimals, "знак", "знака", "знаков")) +
               " после точки: от ОТ до ДО в нём одно значение, " + from;
    }
    return std::nullopt;
}

double VariantDraw::fraction()
{
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

double VariantDraw::value(const VariantRange& range)
{
    const double u = fraction();
    if (drawn_in_ratio(range))
        return range.from * std::exp(u * std::log(range.to / range.from));
    return range.from + u * (range.to - range.from);
}

std::string variant_file_name(int number, int count)
{
    return "variant-" + variant_number(number, count) + ".txt";
}

std::string parameter_file_text(const std::array<std::string, quantity_count>& values, std::string_view last_line)
{
    std::string text;
    for (const QuantityRow& row : quantity_table())
        text += std::string(row.file_caption) + ", " + values[index(row.quantity)] + ",\r\n";
    return text + std::string(last_line) + "\r\n";
}

LoadedParameters load_silently(std::string_view bytes, const std::array<std::string, quantity_count>& values)
{
    LoadedParameters loaded;
    LabInputs& lab = loaded.lab;
    std::vector<BoxMessage> messages;
    start_up(lab, messages);
    messages.clear();
    place_fields(lab, read_parameter_fields(bytes), messages);
    if (!messages.empty()) {
        const BoxMessage& m = messages.front();
        loaded.complaint = std::string(m.message.title()) + ", " + quantity_label(m.quantity) + ": " + m.message.text;
        return loaded;
    }
    for (const QuantityRow& row : quantity_table()) {
        const std::string shown = without_leading_blanks(lab.texts[index(row.quantity)]);
        if (shown != values[index(row.quantity)]) {
            loaded.complaint = "поле " + in_quotes(quantity_label(row.quantity)) + " показывает " + in_quotes(shown) +
                               ", а в файле " + in_quotes(values[index(row.quantity)]);
            return loaded;
        }
    }
    parametr(lab.p, lab.run.n_tochek, lab.c);
    if (const RunRefusal refusal = run_refusal(lab.p, lab.c); refusal != RunRefusal::none)
        loaded.complaint = refusal_message(refusal, lab.p, lab.c, 0.01 * lab.run.zamedlenie);
    return loaded;
}

VariantSet draw_variants(const LabInputs& base, std::vector<VariantRange> ranges, std::uint64_t seed, int count)
{
    std::stable_sort(ranges.begin(), ranges.end(),
                     [](const VariantRange& a, const VariantRange& b) { return a.quantity < b.quantity; });
    std::array<std::string, quantity_count> values;
    for (const QuantityRow& row : quantity_table())
        values[index(row.quantity)] = box_value_text(row.quantity, quantity(base.p, row.quantity));
    VariantSet set;
    for (const VariantRange& r : ranges)
        set.drawn.push_back(r.quantity);
    VariantDraw draw(seed);
    for (int number = 1; number <= count; ++number) {
        std::string complaint;
        for (int attempt = 0; attempt < max_variant_draws && set.variants.size() < static_cast<std::size_t>(number);
             ++attempt) {
            ++set.draws;
            for (const VariantRange& r : ranges)
                values[index(r.quantity)] = box_value_text(r.quantity, draw.value(r));
            std::string file = parameter_file_text(values, last_line(number, count, seed));
            LoadedParameters loaded = load_silently(file, values);
            if (loaded.complaint.empty())
                set.variants.push_back({variant_file_name(number, count), std::move(file), std::move(loaded.lab)});
            else
                complaint = std::move(loaded.complaint);
        }
        if (set.variants.size() < static_cast<std::size_t>(number)) {
            set.variants.clear();
            set.error =
                "вариант " + std::to_string(number) + " не составлен: за " + std::to_string(max_variant_draws) +
                " попыток ни одно сочетание значений не прошло проверок полей и пуска; последняя причина: " + complaint;
            return set;
        }
    }
    return set;
}

} // namespace vp
