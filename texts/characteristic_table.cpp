// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/characteristic_table.h"

#include "texts/number_text.h"
#include "texts/padding.h"

namespace vp {
namespace {

using C = Characteristic;

// Fills one row, each step naming what it sets.
class Row {
public:
    Row(CharacteristicTable& table, Characteristic c, std::string_view name) : r_(table[static_cast<std::size_t>(c)])
    {
        r_.characteristic = c;
        r_.name = name;
    }
    Row& label(std::string_view name, std::string_view tooltip) { return set(r_.label, name).set(r_.tooltip, tooltip); }
    Row& letter(std::string_view name, std::string_view letter, float width, float rise)
    {
        return set(r_.overlay, {name, letter, width, rise});
    }
    // The number takes the locale's separator unless keeps_point() follows.
    Row& caption(std::string_view prefix, std::string_view mask, std::string_view suffix)
    {
        return set(r_.prefix, prefix).set(r_.mask, mask).set(r_.suffix, suffix);
    }
    Row& keeps_point() { return set(r_.keeps_point, true); }
    Row& copied_as(std::string_view symbol, std::string_view unit) { return set(r_.symbol, symbol).set(r_.unit, unit); }

private:
    template <typename Field>
    Row& set(Field& field, const Field& value)
    {
        field = value;
        return *this;
    }

    CharacteristicRow& r_;
};

CharacteristicTable make_table()
{
    CharacteristicTable t{};
    // The suffixes " рад/c" and " c" end in a Latin c; " Па·с" in a Cyrillic с.
    Row(t, C::ro, "ro")
        .label("Label12", "средняя плотность сферы, как шара")
        .letter("Label12_2", "ρ", 10, 2)
        .caption("   =", "0.000E+00", " кг/м3")
        .copied_as("ρ", "кг/м3");
    Row(t, C::ro_ss, "ro_ss")
        .label("Label33", "средняя плотность материала сферы")
        .letter("Label33_2", "ρ", 14, 0)
        .caption("   _sf=", "0.000E+00", " кг/м3")
        .copied_as("ρ_sf", "кг/м3");
    Row(t, C::m0, "m0")
        .label("Label13", "масса среды в объёме шар+стержень")
        .caption("mo = ", "0.000E+00", " кг")
        .copied_as("mo", "кг");
    Row(t, C::ro_st, "ro_st")
        .label("Label14", "средняя плотность стержня")
        .letter("Label14_2", "ρ", 17, 2)
        .caption("  _s= ", "0.000e+00", " кг/м3")
        .keeps_point()
        .copied_as("ρ_s", "кг/м3");
    Row(t, C::MI, "MI")
        .label("Label15", "момент инерции системы сфера-стержень")
        .caption("I = ", "0.000e+00", " кг·м2")
        .keeps_point()
        .copied_as("I", "кг·м2");
    Row(t, C::delta, "delta")
        .label("Label16", "декремент затухания при с=0")
        .letter("Label16_2", "δ", 16, 2)
        .caption("   = ", "0.000E+00", " рад/c")
        .copied_as("δ", "рад/c");
    Row(t, C::W0, "W0")
        .label("Label17", "циклическая частота гармонических колебаний")
        .letter("Label17_2", "ω", 16, 2)
        .caption("    o = ", "0.000E+00", " рад/c")
        .copied_as("ωo", "рад/c");
    Row(t, C::Ws, "Ws")
        .label("Label22", "циклическая частота собственных колебаний при с=0")
        .letter("Label22_2", "ω", 16, 2)
        .caption("    s = ", "0.000E+00", " рад/c")
        .copied_as("ωs", "рад/c");
    Row(t, C::T0, "T0")
        .label("Label23", "период гармонических колебаний")
        .caption("To = ", "0.000E+00", " c")
        .copied_as("To", "c");
    Row(t, C::Ts, "Ts")
        .label("Label24", "период собственных колебаний при с=0")
        .caption("Ts = ", "0.000E+00", " c")
        .copied_as("Ts", "c");
    Row(t, C::eta_kr, "eta_kr")
        .label("Label25", "коэффициент вязкости для критического режима (при с=0)")
        .letter("Label25_2", "η", 14, 0)
        .caption("  _кр = ", "0.000E+00", " Па·с")
        .copied_as("η_кр", "Па·с");
    // 1/fi_2_x, in degrees.
    Row(t, C::fi_2, "fi_2")
        .label("Label26", "параметр fi_2")
        .letter("Label26_2", "φ", 12, 0)
        .caption("   2= ", "0.000E+00", " °")
        .copied_as("φ2", "°");
    Row(t, C::Teta, "Teta")
        .label("Label27", "логарифмический декремент затухания")
        .letter("Label27_2", "Θ", 14, 0)
        .caption("    = ", "0.000E+00", " ")
        .copied_as("Θ", "");
    Row(t, C::dobrot, "dobrot").label("Label28", "добротность").caption("Q = ", "0.000E+00", " ").copied_as("Q", "");
    Row(t, C::x_c_m, "x_c_m")
        .label("Label35", "Положение центра масс")
        .caption("Lцм = ", "0.000e+00", " м")
        .keeps_point()
        .copied_as("Lцм", "м");
    Row(t, C::Mm_L, "Mm_L")
        .label("Label36", "Параметр равновесия сил тяжести и Архимеда")
        .caption("M_L = ", "0.000E+00", " кг·м")
        .copied_as("M_L", "кг·м");
    return t;
}

std::string limit_of(Shown shown)
{
    switch (shown) {
    case Shown::infinite: return "-> oo";
    case Shown::tends_to_zero: return "-> 0";
    case Shown::number:
    case Shown::undefined: break;
    }
    return "???";
}

std::string limit_caption(std::string_view prefix, Shown shown)
{
    std::string head(prefix.substr(0, prefix.find('=')));
    const bool letter_only = head.find_first_not_of(' ') == std::string::npos;
    if (!letter_only) {
        head.erase(head.find_last_not_of(' ') + 1);
        head += ' ';
    }
    return shown == Shown::undefined ? head + "=???" : head + limit_of(shown);
}

} // namespace

const CharacteristicTable& characteristic_table()
{
    static const CharacteristicTable table = make_table();
    return table;
}

const CharacteristicRow& characteristic_row(Characteristic characteristic)
{
    return characteristic_table()[static_cast<std::size_t>(characteristic)];
}

CharacteristicCaptions characteristic_captions(const Parameters& p, const Characteristics& c,
                                               std::string_view separator)
{
    const CharacteristicReadings readings = characteristic_readings(p, c);
    CharacteristicCaptions captions;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const CharacteristicRow& row = characteristic_table()[i];
        const CharacteristicReading& r = readings[i];
        if (r.shown != Shown::number) {
            captions[i] = limit_caption(row.prefix, r.shown);
            continue;
        }
        std::string number = format_number(r.value, row.mask);
        if (!row.keeps_point)
            number = with_decimal_separator(std::move(number), separator);
        captions[i] = std::string(row.prefix) + number + std::string(row.suffix);
    }
    return captions;
}

std::string spoken_caption(Characteristic characteristic, std::string_view caption)
{
    return std::string(characteristic_row(characteristic).overlay.letter) + std::string(without_padding(caption));
}

std::string characteristic_value_text(Characteristic characteristic, const CharacteristicReading& reading,
                                      std::string_view separator)
{
    if (reading.shown != Shown::number)
        return limit_of(reading.shown);
    return with_decimal_separator(format_number(reading.value, characteristic_row(characteristic).mask), separator);
}

} // namespace vp
