// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/number_text.h"

#include <charconv>
#include <cmath>

namespace vp {
namespace {

constexpr int significant_digits = 15;

// |value| as 15 significant decimal digits d0 d1 ... d14 with d0 standing at
// the place 10^exponent (d0 is 0 only for a zero value).
struct DecimalDigits {
    std::string digits;
    int exponent = 0;
};

DecimalDigits decimal_digits(double magnitude)
{
    // to_chars, unlike printf, writes "." whatever the C library's locale
    // says: under a decimal-comma locale printf would put "," among the digits.
    char buffer[40];
    const char* const end =
        std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific, significant_digits - 1)
            .ptr;
    DecimalDigits d;
    const char* p = buffer;
    for (; p != end && *p != 'e'; ++p) {
        if (*p != '.')
            d.digits.push_back(*p);
    }
    if (p != end && *++p == '+')
        ++p;
    std::from_chars(p, end, d.exponent);
    return d;
}

// Keeps the first `keep` digits, rounding the rest away from zero at half.
// The result may have one digit more (9.99 -> 10.0); the exponent follows.
void round_to(DecimalDigits& d, int keep)
{
    if (keep >= static_cast<int>(d.digits.size())) {
        d.digits.append(static_cast<std::size_t>(keep) - d.digits.size(), '0');
        return;
    }
    if (keep < 0) {
        d.digits = "0";
        return;
    }
    const bool up = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (!up)
        return;
    int i = keep - 1;
    for (; i >= 0; --i) {
        char& c = d.digits[static_cast<std::size_t>(i)];
        if (c == '9') {
            c = '0';
        } else {
            ++c;
            break;
        }
    }
    if (i < 0) {
        d.digits.insert(d.digits.begin(), '1');
        ++d.exponent;
    }
}

bool all_zero(const std::string& digits)
{
    return digits.find_first_not_of('0') == std::string::npos;
}

struct Mask {
    std::string prefix;
    int integer_zeros = 0; // digits always shown before the point
    int decimals = 0;
    char exponent_letter = 0; // 0: fixed notation
    bool exponent_sign_always = false;
    int exponent_digits = 0;
    std::string suffix;
};

Mask parse_mask(std::string_view text)
{
    Mask m;
    std::size_t i = 0;
    auto is_digit_place = [](char c) { return c == '0' || c == '#'; };
    while (i < text.size() && !is_digit_place(text[i]) && text[i] != '.')
        m.prefix.push_back(text[i++]);
    for (; i < text.size() && is_digit_place(text[i]); ++i)
        m.integer_zeros += text[i] == '0';
    if (i < text.size() && text[i] == '.') {
        for (++i; i < text.size() && is_digit_place(text[i]); ++i)
            m.decimals += text[i] == '0';
    }
    if (i + 1 < text.size() && (text[i] == 'E' || text[i] == 'e') && (text[i + 1] == '+' || text[i + 1] == '-')) {
        m.exponent_letter = text[i];
        m.exponent_sign_always = text[i + 1] == '+';
        for (i += 2; i < text.size() && is_digit_place(text[i]); ++i)
            ++m.exponent_digits;
    }
    m.suffix = std::string(text.substr(i));
    return m;
}

std::string exponent_text(int exponent, bool sign_always, int min_digits)
{
    std::string digits = std::to_string(exponent < 0 ? -exponent : exponent);
    if (static_cast<int>(digits.size()) < min_digits)
        digits.insert(0, static_cast<std::size_t>(min_digits) - digits.size(), '0');
    if (exponent < 0)
        return "-" + digits;
    return sign_always ? "+" + digits : digits;
}

// The digits of a formatted magnitude, without sign, and whether all of them
// are zero (a value that rounds to zero gets no minus sign).
struct Body {
    std::string text;
    bool zero = false;
};

Body format_fixed(DecimalDigits d, const Mask& m)
{
    // Digit places kept: from 10^exponent down to 10^-decimals.
    round_to(d, d.exponent + m.decimals + 1);
    Body body;
    std::string integer_part;
    std::string fraction;
    if (all_zero(d.digits)) {
        body.zero = true;
        fraction.assign(static_cast<std::size_t>(m.decimals), '0');
    } else {
        // The digits now fill the places exponent ... -decimals exactly
        // (the exponent may have grown by a rounding carry).
        const int integer_count = d.exponent + 1;
        if (integer_count > 0) {
            integer_part = d.digits.substr(0, static_cast<std::size_t>(integer_count));
            fraction = d.digits.substr(static_cast<std::size_t>(integer_count));
        } else {
            fraction = std::string(static_cast<std::size_t>(-integer_count), '0') + d.digits;
        }
    }
    if (static_cast<int>(integer_part.size()) < m.integer_zeros)
        integer_part.insert(0, static_cast<std::size_t>(m.integer_zeros) - integer_part.size(), '0');
    body.text = integer_part;
    if (m.decimals > 0)
        body.text += "." + fraction;
    return body;
}

Body format_scientific(DecimalDigits d, const Mask& m)
{
    const int integer_count = m.integer_zeros > 0 ? m.integer_zeros : 1;
    const int mantissa_digits = integer_count + m.decimals;
    Body body;
    body.zero = all_zero(d.digits);
    round_to(d, mantissa_digits);
    d.digits.resize(static_cast<std::size_t>(mantissa_digits)); // a carry adds a trailing zero
    const int exponent = body.zero ? 0 : d.exponent - (integer_count - 1);
    body.text = d.digits.substr(0, static_cast<std::size_t>(integer_count));
    if (m.decimals > 0)
        body.text += "." + d.digits.substr(static_cast<std::size_t>(integer_count));
    body.text += m.exponent_letter + exponent_text(exponent, m.exponent_sign_always, m.exponent_digits);
    return body;
}

} // namespace

std::string format_number(double value, std::string_view mask)
{
    const Mask m = parse_mask(mask);
    if (!std::isfinite(value))
        return m.prefix + (std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf") + m.suffix;
    const DecimalDigits d = decimal_digits(std::fabs(value));
    const Body body = m.exponent_letter ? format_scientific(d, m) : format_fixed(d, m);
    return m.prefix + (value < 0 && !body.zero ? "-" : "") + body.text + m.suffix;
}

std::string bare_number_text(double value)
{
    if (!std::isfinite(value))
        return std::isnan(value) ? "nan" : value < 0 ? "-inf" : "inf";
    if (value == 0)
        return "0";
    DecimalDigits d = decimal_digits(std::fabs(value));
    const std::size_t last = d.digits.find_last_not_of('0');
    d.digits.resize(last + 1);
    std::string text = value < 0 ? "-" : "";
    if (d.exponent < -4 || d.exponent >= significant_digits) {
        text += d.digits.substr(0, 1);
        if (d.digits.size() > 1)
            text += "." + d.digits.substr(1);
        return text + "E" + exponent_text(d.exponent, true, 2);
    }
    if (d.exponent >= 0) {
        const auto integer_count = static_cast<std::size_t>(d.exponent) + 1;
        if (d.digits.size() <= integer_count)
            return text + d.digits + std::string(integer_count - d.digits.size(), '0');
        return text + d.digits.substr(0, integer_count) + "." + d.digits.substr(integer_count);
    }
    return text + "." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + d.digits;
}

std::string plain_number_text(double value)
{
    std::string text = bare_number_text(value);
    if (!(value < 0))
        text.insert(0, " ");
    return text;
}

std::string_view plural_form(long long n, std::string_view one, std::string_view few, std::string_view many)
{
    const long long last_two = (n < 0 ? -n : n) % 100;
    if (last_two >= 11 && last_two <= 14)
        return many;
    switch (last_two % 10) {
    case 1: return one;
    case 2:
    case 3:
    case 4: return few;
    default: return many;
    }
}

std::string with_decimal_separator(std::string text, std::string_view separator)
{
    if (separator == ".")
        return text;
    std::string out;
    out.reserve(text.size() + 4);
    for (char c : text) {
        if (c == '.')
            out += separator;
        else
            out.push_back(c);
    }
    return out;
}

} // namespace vp
