// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/validation.h"

#include "input/number_reading.h"
#include "texts/number_text.h"

#include <cmath>
#include <limits>

namespace vp {
namespace {

constexpr std::string_view advice = " Не вводите заново, а исправьте!";

constexpr std::string_view negative_feminine = "не может быть отрицательной!";
constexpr std::string_view negative_masculine = "Не может быть отрицательным!";
constexpr std::string_view both_masses_zero = "Обе массы равны 0! Что качается?";
constexpr std::string_view no_oscillation = "При нулевых начальных условиях колебаний не будет!";

// The complaint about a value too large, worded like the box's other
// complaints (case of the first letter, gender of the quantity).
std::string_view too_large(Box box)
{
    switch (box) {
    case Box::Text1:
    case Box::Text6:
    case Box::Text9:
    case Box::Text3: return "не может быть такой большой!";
    case Box::Text2: return "Не может быть такой большой!";
    case Box::Text5: return "не может быть таким большим!";
    case Box::Text18: return "Не может быть таким большим по модулю!";
    case Box::Text19: return "Не может быть такой большой по модулю!";
    case Box::Text4:
    case Box::Text7:
    case Box::Text8:
    case Box::Text34:
    case Box::Text20: return "Не может быть таким большим!";
    }
    return "Не может быть таким большим!";
}

// The complaint of the first rule of the box that v breaks, if any. The
// rules are tried in order and compare doubles exactly.
std::optional<std::string_view> broken_rule(Box box, double v, const Parameters& p)
{
    switch (box) {
    case Box::Text1:
        if (v < 0)
            return negative_feminine;
        if (v == 0 && p.massa_st == 0)
            return both_masses_zero;
        break;
    case Box::Text4:
        if (v <= 0)
            return "Не может быть отрицательным или 0!";
        if (v <= p.diametr_1)
            return "Не может быть <=d1!";
        break;
    case Box::Text7:
        if (v < 0)
            return negative_masculine;
        if (v >= p.diametr_2)
            return "Не может быть >=d2!";
        break;
    case Box::Text8:
    case Box::Text34:
        if (v < 0)
            return negative_masculine;
        break;
    case Box::Text2:
        if (v < p.diametr_2)
            return "Не может быть меньше внешнего диаметра!";
        break;
    case Box::Text6:
        if (v < 0)
            return negative_feminine;
        if (v == 0 && p.massa == 0)
            return both_masses_zero;
        break;
    case Box::Text9:
        if (v <= 0)
            return "не может быть отрицательной или =0!";
        break;
    case Box::Text3:
        if (v < 0)
            return negative_feminine;
        break;
    case Box::Text5:
        if (v < 0)
            return "не может быть отрицательным!";
        break;
    case Box::Text18:
        if (v == 0 && p.wz0 == 0)
            return no_oscillation;
        break;
    case Box::Text19:
        if (v == 0 && p.fi0 == 0)
            return no_oscillation;
        break;
    case Box::Text20:
        if (v <= 0)
            return "Должно быть больше 0!";
        break;
    }
    if (!(std::fabs(v) < largest_magnitude))
        return too_large(box);
    return std::nullopt;
}

// The value that takes the place of a refused one; the derived ones are
// taken from the model as it stands.
double replacement(Box box, const Parameters& p)
{
    switch (box) {
    case Box::Text1: return 15.499;
    case Box::Text4:
        // 1.3 * 0 would be refused again.
        return p.diametr_1 > 0 ? 1.3 * p.diametr_1 : 0.4;
    case Box::Text7: return 0.7 * p.diametr_2;
    case Box::Text8: return 0.47;
    case Box::Text2: return 1.1 * p.diametr_2;
    case Box::Text6: return 1.2345;
    case Box::Text9: return 0.008;
    case Box::Text34: return 1.2;
    case Box::Text3: return 1.23;
    case Box::Text5: return 0.001004;
    case Box::Text18: return 17.123;
    case Box::Text19: return -1.123;
    case Box::Text20: return 40;
    }
    return 0;
}

// The one-time warning of a box, shown for a value of 0.
struct Warning {
    std::string WarningMemories::*memory;
    std::string_view text;
};

std::optional<Warning> warning_of(Box box)
{
    switch (box) {
    case Box::Text1: return Warning{&WarningMemories::predupr_massa, "Можно и так! Качается только стержень!"};
    case Box::Text7: return Warning{&WarningMemories::predupr_d1, "Можно и так! Качается шар!"};
    // The first letter of "Cтержень" is a Latin C.
    case Box::Text6: return Warning{&WarningMemories::predupr_massa_st, "Можно и так! Cтержень невесомый и тонкий!"};
    case Box::Text8: return Warning{&WarningMemories::predupr_c_shar, "при с=0 сила ~v^2 не учитывается!"};
    case Box::Text34: return Warning{&WarningMemories::predupr_c_ster, "при с=0 сила ~v^2 не учитывается!"};
    case Box::Text3: return Warning{&WarningMemories::predupr_ro_0, "Если хотите вакуум, то задайте и вязкость=0!"};
    case Box::Text5:
        return Warning{&WarningMemories::predupr_eta, "Если хотите вакуум, то задайте и плотность среды=0!"};
    default: return std::nullopt;
    }
}

std::optional<Visibility> visibility_before(Box box, double v)
{
    switch (box) {
    case Box::Text1: return Visibility{Group::sphere, v != 0};
    case Box::Text6: return Visibility{Group::rod, v != 0};
    case Box::Text3: return Visibility{Group::medium, !(v <= 0)};
    case Box::Text5: return Visibility{Group::viscosity, v != 0};
    default: return std::nullopt;
    }
}

AfterWriteBack after_of(Box box)
{
    switch (box) {
    case Box::Text4: return AfterWriteBack::set_r_shar_2;
    case Box::Text7: return AfterWriteBack::set_r_shar_1;
    case Box::Text8:
    case Box::Text34: return AfterWriteBack::quadratic_drag_visibility;
    default: return AfterWriteBack::nothing;
    }
}

bool reads_negative(std::string_view text)
{
    for (char c : text) {
        if (c != ' ' && c != '\t' && c != '\n')
            return c == '-';
    }
    return false;
}

} // namespace

Decision decide(Box box, std::string_view text, const Parameters& p, WarningMemories& m)
{
    const NumberReading reading = read_number(text);
    // Beyond the range of a double the number is tested as an infinity,
    // which no box accepts; only a replacement is ever stored.
    const double tested = reading.in_range       ? reading.value
                          : reads_negative(text) ? -std::numeric_limits<double>::infinity()
                                                 : std::numeric_limits<double>::infinity();
    Decision d;
    d.value = tested;
    const std::optional<Warning> warning = warning_of(box);
    if (const auto complaint = broken_rule(box, tested, p)) {
        d.value = replacement(box, p);
        d.message = Message{MessageKind::error, std::string(*complaint) + std::string(advice)};
        if (box == Box::Text7)
            m.predupr_d1 = sphere_marker;
    } else if (warning && tested == 0 && m.*warning->memory != warning->text) {
        m.*warning->memory = warning->text;
        d.message = Message{MessageKind::warning, std::string(warning->text)};
    } else if (box == Box::Text7) {
        // Lets the warning come again at the next 0.
        m.predupr_d1 = sphere_marker;
    }
    d.visibility_before = visibility_before(box, d.value);
    d.text = display_text(box, d.value);
    d.after = after_of(box);
    return d;
}

std::optional<Visibility> after_write_back(AfterWriteBack step, Parameters& p)
{
    switch (step) {
    case AfterWriteBack::nothing: break;
    case AfterWriteBack::set_r_shar_2: derive_r_shar_2(p); break;
    case AfterWriteBack::set_r_shar_1: derive_r_shar_1(p); break;
    case AfterWriteBack::quadratic_drag_visibility:
        return Visibility{Group::quadratic_drag, !(p.c_shar == 0 && p.c_ster == 0)};
    }
    return std::nullopt;
}

} // namespace vp
