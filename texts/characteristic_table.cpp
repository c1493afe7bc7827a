// SPDX-License-Identifier: GPL-3.0-or-later
#include "texts/characteristic_table.h"

#include "texts/number_text.h"

namespace vp {
namespace {

using C = Characteristic;

// The suffixes " рад/c" and " c" end in a Latin c; " Па·с" in a Cyrillic с.
constexpr CharacteristicTable rows = {{
    {C::ro,
     "ro",
     "Label12",
     "средняя плотность сферы, как шара",
     {"Label12_2", "ρ", 10, 2},
     "   =",
     "0.000E+00",
     false,
     " кг/м3",
     "ρ",
     "кг/м3"},
    {C::ro_ss,
     "ro_ss",
     "Label33",
     "средняя плотность материала сферы",
     {"Label33_2", "ρ", 14, 0},
     "   _sf=",
     "0.000E+00",
     false,
     " кг/м3",
     "ρ_sf",
     "кг/м3"},
    {C::m0, "m0", "Label13", "масса среды в объёме шар+стержень", {}, "mo = ", "0.000E+00", false, " кг", "mo", "кг"},
    {C::ro_st,
     "ro_st",
     "Label14",
     "средняя плотность стержня",
     {"Label14_2", "ρ", 17, 2},
     "  _s= ",
     "0.000e+00",
     true,
     " кг/м3",
     "ρ_s",
     "кг/м3"},
    {C::MI,
     "MI",
     "Label15",
     "момент инерции системы сфера-стержень",
     {},
     "I = ",
     "0.000e+00",
     true,
     " кг·м2",
     "I",
     "кг·м2"},
    {C::delta,
     "delta",
     "Label16",
     "декремент затухания при с=0",
     {"Label16_2", "δ", 16, 2},
     "   = ",
     "0.000E+00",
     false,
     " рад/c",
     "δ",
     "рад/c"},
    {C::W0,
     "W0",
     "Label17",
     "циклическая частота гармонических колебаний",
     {"Label17_2", "ω", 16, 2},
     "    o = ",
     "0.000E+00",
     false,
     " рад/c",
     "ωo",
     "рад/c"},
    {C::Ws,
     "Ws",
     "Label22",
     "циклическая частота собственных колебаний при с=0",
     {"Label22_2", "ω", 16, 2},
     "    s = ",
     "0.000E+00",
     false,
     " рад/c",
     "ωs",
     "рад/c"},
    {C::T0, "T0", "Label23", "период гармонических колебаний", {}, "To = ", "0.000E+00", false, " c", "To", "c"},
    {C::Ts, "Ts", "Label24", "период собственных колебаний при с=0", {}, "Ts = ", "0.000E+00", false, " c", "Ts", "c"},
    {C::eta_kr,
     "eta_kr",
     "Label25",
     "коэффициент вязкости для критического режима (при с=0)",
     {"Label25_2", "η", 14, 0},
     "  _кр = ",
     "0.000E+00",
     false,
     " Па·с",
     "η_кр",
     "Па·с"},
    // 1/fi_2_x, in degrees.
    {C::fi_2,
     "fi_2",
     "Label26",
     "параметр fi_2",
     {"Label26_2", "φ", 12, 0},
     "   2= ",
     "0.000E+00",
     false,
     " °",
     "φ2",
     "°"},
    {C::Teta,
     "Teta",
     "Label27",
     "логарифмический декремент затухания",
     {"Label27_2", "Θ", 14, 0},
     "    = ",
     "0.000E+00",
     false,
     " ",
     "Θ",
     ""},
    {C::dobrot, "dobrot", "Label28", "добротность", {}, "Q = ", "0.000E+00", false, " ", "Q", ""},
    {C::x_c_m, "x_c_m", "Label35", "Положение центра масс", {}, "Lцм = ", "0.000e+00", true, " м", "Lцм", "м"},
    {C::Mm_L,
     "Mm_L",
     "Label36",
     "Параметр равновесия сил тяжести и Архимеда",
     {},
     "M_L = ",
     "0.000E+00",
     false,
     " кг·м",
     "M_L",
     "кг·м"},
}};

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
    return rows;
}

const CharacteristicRow& characteristic_row(Characteristic characteristic)
{
    return rows[static_cast<std::size_t>(characteristic)];
}

CharacteristicCaptions characteristic_captions(const Parameters& p, const Characteristics& c,
                                               std::string_view separator)
{
    const CharacteristicReadings readings = characteristic_readings(p, c);
    CharacteristicCaptions captions;
    for (std::size_t i = 0; i < captions.size(); ++i) {
        const CharacteristicRow& row = rows[i];
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

std::string characteristic_value_text(Characteristic characteristic, const CharacteristicReading& reading,
                                      std::string_view separator)
{
    if (reading.shown != Shown::number)
        return limit_of(reading.shown);
    return with_decimal_separator(format_number(reading.value, characteristic_row(characteristic).mask), separator);
}

} // namespace vp
