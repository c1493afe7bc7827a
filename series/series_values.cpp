// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/series_values.h"

#include "input/number_reading.h"

#include <algorithm>
#include <cmath>

namespace vp {
namespace {

bool blank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool separates(char c)
{
    return blank(c) || c == ';';
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A list grows in ratio when its ratios are far more alike than its steps.
Spacing spacing_of(const std::vector<double>& v)
{
    if (v.size() < 3 || std::any_of(v.begin(), v.end(), [](double x) { return !(x > 0); }))
        return Spacing::linear;
    auto spread = [&v](auto step) {
        double lo = step(v[0], v[1]), hi = lo;
        for (std::size_t i = 2; i < v.size(); ++i) {
            lo = std::min(lo, step(v[i - 1], v[i]));
            hi = std::max(hi, step(v[i - 1], v[i]));
        }
        return std::fabs(hi - lo) / std::max(std::fabs(hi), std::fabs(lo));
    };
    const double in_steps = spread([](double a, double b) { return b - a; });
    const double in_ratio = spread([](double a, double b) { return std::log(b / a); });
    return in_ratio < in_steps ? Spacing::logarithmic : Spacing::linear;
}

} // namespace

std::optional<double> read_value(std::string_view text)
{
    text = trimmed(text);
    if (text.empty() || text.size() > 64)
        return std::nullopt;
    std::string plain(text);
    std::replace(plain.begin(), plain.end(), ',', '.');
    // Every character must be part of the one number the reader takes.
    std::size_t i = 0;
    auto digits = [&] {
        const std::size_t begin = i;
        while (i < plain.size() && plain[i] >= '0' && plain[i] <= '9')
            ++i;
        return i - begin;
    };
    if (i < plain.size() && (plain[i] == '+' || plain[i] == '-'))
        ++i;
    std::size_t mantissa = digits();
    if (i < plain.size() && plain[i] == '.') {
        ++i;
        mantissa += digits();
    }
    if (mantissa == 0)
        return std::nullopt;
    if (i < plain.size() && (plain[i] == 'e' || plain[i] == 'E')) {
        ++i;
        if (i < plain.size() && (plain[i] == '+' || plain[i] == '-'))
            ++i;
        if (digits() == 0)
            return std::nullopt;
    }
    if (i != plain.size())
        return std::nullopt;
    const NumberReading reading = read_number(plain);
    if (!reading.in_range)
        return std::nullopt;
    return reading.value;
}

SeriesValues spaced_values(double from, double to, int count, Spacing spacing)
{
    SeriesValues result;
    result.spacing = spacing;
    if (count < min_series_points || count > max_series_points) {
        result.error = "Число точек должно быть от " + std::to_string(min_series_points) + " до " +
                       std::to_string(max_series_points) + "!";
        return result;
    }
    if (!std::isfinite(from) || !std::isfinite(to)) {
        result.error = "Начало и конец ряда должны быть числами!";
        return result;
    }
    if (from == to) {
        result.error = "Начало и конец ряда совпадают!";
        return result;
    }
    if (spacing == Spacing::logarithmic && !(from * to > 0)) {
        result.error = "Для логарифмического шага начало и конец ряда должны быть одного знака и не равны 0!";
        return result;
    }
    result.values.reserve(static_cast<std::size_t>(count));
    const double last = count - 1;
    for (int i = 0; i < count; ++i) {
        const double f = i / last;
        double v = spacing == Spacing::linear ? from + (to - from) * f : from * std::pow(to / from, f);
        if (i == 0)
            v = from;
        else if (i == count - 1)
            v = to;
        result.values.push_back(v);
    }
    return result;
}

SeriesValues listed_values(std::string_view text)
{
    SeriesValues result;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        std::size_t end = begin;
        while (end < text.size() && !separates(text[end]))
            ++end;
        const std::string_view item = text.substr(begin, end - begin);
        if (!item.empty()) {
            const std::optional<double> v = read_value(item);
            if (!v) {
                result.values.clear();
                result.error = "В списке значений не число: «" + std::string(item.substr(0, 40)) + "»!";
                return result;
            }
            if (result.values.size() == static_cast<std::size_t>(max_series_points)) {
                result.values.clear();
                result.error = "В списке больше " + std::to_string(max_series_points) + " значений!";
                return result;
            }
            result.values.push_back(*v);
        }
        begin = end + 1;
    }
    if (result.values.empty())
        result.error = "Список значений пуст!";
    result.spacing = spacing_of(result.values);
    return result;
}

} // namespace vp
