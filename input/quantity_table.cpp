// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/quantity_table.h"

#include "texts/number_text.h"

namespace vp {
namespace {

using Q = Quantity;
using P = const Parameters&;

constexpr std::string_view negative_feminine = "не может быть отрицательной!";
constexpr std::string_view negative_masculine = "Не может быть отрицательным!";
constexpr std::string_view both_masses_zero = "Обе массы равны 0! Что качается?";
constexpr std::string_view no_oscillation = "При нулевых начальных условиях колебаний не будет!";
constexpr std::string_view drag_off = "при с=0 сила ~v^2 не учитывается!";

bool negative(double v, P)
{
    return v < 0;
}

bool not_positive(double v, P)
{
    return v <= 0;
}

bool shown_unless_zero(double v, P)
{
    return v != 0;
}

// The quadratic-drag parameter is infinite only without drag on either body.
bool some_quadratic_drag(double, P p)
{
    return !(p.c_shar == 0 && p.c_ster == 0);
}

QuantityTable make_table()
{
    // The first letter of "Cтержень" is a Latin C; the labels' "с_сф=",
    // "с_ст=" begin with a Cyrillic с.
    return {{
        {Q::massa,
         "massa",
         "кг",
         "Text1",
         "масса сферы",
         "Label1",
         "m (кг) =",
         {},
         {},
         "0.0000",
         "0.0000",
         2,
         "0.0000",
         {},
         {{{negative, negative_feminine}, {[](double v, P p) { return v == 0 && p.massa_st == 0; }, both_masses_zero}}},
         "не может быть такой большой!",
         [](P) { return 15.499; },
         {&WarningMemories::predupr_massa, "Можно и так! Качается только стержень!"},
         {Group::sphere, false, shown_unless_zero},
         nullptr},
        {Q::diametr_2,
         "diametr_2",
         "м",
         "Text4",
         "внешний диаметр сферы",
         "Label4",
         "d2 (м) =",
         {},
         {},
         "0.0000",
         {},
         5,
         "0.000",
         {},
         {{{not_positive, "Не может быть отрицательным или 0!"},
           {[](double v, P p) { return v <= p.diametr_1; }, "Не может быть <=d1!"}}},
         "Не может быть таким большим!",
         // 1.3 * 0 would be refused again: the outer diameter the laboratory
         // starts with instead.
         [](P p) { return p.diametr_1 > 0 ? 1.3 * p.diametr_1 : 0.4; },
         {},
         {},
         derive_r_shar_2},
        {Q::diametr_1,
         "diametr_1",
         "м",
         "Text7",
         "внутренний диаметр сферы",
         "Label7",
         "d1 (м)=",
         {},
         {},
         "0.0000",
         {},
         8,
         "0.000",
         {},
         {{{negative, negative_masculine}, {[](double v, P p) { return v >= p.diametr_2; }, "Не может быть >=d2!"}}},
         "Не может быть таким большим!",
         [](P p) { return 0.7 * p.diametr_2; },
         {&WarningMemories::predupr_d1, "Можно и так! Качается шар!", true},
         {},
         derive_r_shar_1},
        {Q::c_shar,
         "c_shar",
         "",
         "Text8",
         "коэффициент лобового сопротивления для сферы",
         "Label8",
         "с_сф=",
         {},
         {},
         "0.000",
         {},
         11,
         "0.000",
         {},
         {{{negative, negative_masculine}}},
         "Не может быть таким большим!",
         [](P) { return 0.47; },
         {&WarningMemories::predupr_c_shar, drag_off},
         {Group::quadratic_drag, true, some_quadratic_drag},
         nullptr},
        {Q::dlina,
         "dlina",
         "м",
         "Text2",
         "длина стержня от оси вращения до нижней точки сферы",
         "Label2",
         "L (м) =",
         {},
         {},
         "0.0000",
         {},
         14,
         "0.0000",
         {},
         {{{[](double v, P p) { return v < p.diametr_2; }, "Не может быть меньше внешнего диаметра!"}}},
         "Не может быть такой большой!",
         [](P p) { return 1.1 * p.diametr_2; },
         {},
         {},
         nullptr},
        {Q::massa_st,
         "massa_st",
         "кг",
         "Text6",
         "масса стержня",
         "Label6",
         "М (кг) =",
         {},
         {},
         "0.0000",
         {},
         17,
         "0.0000",
         {},
         {{{negative, negative_feminine}, {[](double v, P p) { return v == 0 && p.massa == 0; }, both_masses_zero}}},
         "не может быть такой большой!",
         [](P) { return 1.2345; },
         {&WarningMemories::predupr_massa_st, "Можно и так! Cтержень невесомый и тонкий!"},
         {Group::rod, false, shown_unless_zero},
         nullptr},
        {Q::diametr_s,
         "diametr_s",
         "м",
         "Text9",
         "диаметр стержня. В окне анимации не масштабируется",
         "Label9",
         "D (м) =",
         "диаметр стержня. В окне анимациине  не масштабируется",
         {},
         "0.0000",
         {},
         20,
         "0.0000",
         {},
         {{{not_positive, "не может быть отрицательной или =0!"}}},
         "не может быть такой большой!",
         [](P) { return 0.008; },
         {},
         {},
         nullptr},
        {Q::c_ster,
         "c_ster",
         "",
         "Text34",
         "коэффициент лобового сопротивления для стержня",
         "Label34",
         "с_ст=",
         {},
         {},
         "0.000",
         {},
         23,
         "0.000",
         {},
         {{{negative, negative_masculine}}},
         "Не может быть таким большим!",
         [](P) { return 1.2; },
         {&WarningMemories::predupr_c_ster, drag_off},
         {Group::quadratic_drag, true, some_quadratic_drag},
         nullptr},
        {Q::ro_0,
         "ro_0",
         "кг/м3",
         "Text3",
         "плотность среды",
         "Label3",
         "   o (кг/м3)=",
         {},
         {"Label3_2", "ρ", 13, 5},
         "0.0000",
         {},
         26,
         "0.0000",
         "ro(кг/м3)=",
         {{{negative, negative_feminine}}},
         "не может быть такой большой!",
         [](P) { return 1.23; },
         {&WarningMemories::predupr_ro_0, "Если хотите вакуум, то задайте и вязкость=0!"},
         {Group::medium, false, [](double v, P) { return !(v <= 0); }},
         nullptr},
        {Q::eta,
         "eta",
         "Па·с",
         "Text5",
         "коэффициент динамической вязкости среды",
         "Label5",
         "    (Па·с) = ",
         {},
         {"Label5_2", "η", 10, 5},
         "0.0000000",
         {},
         29,
         "0.00000000",
         "h(Па·с)=",
         {{{negative, "не может быть отрицательным!"}}},
         "не может быть таким большим!",
         [](P) { return 0.001004; },
         {&WarningMemories::predupr_eta, "Если хотите вакуум, то задайте и плотность среды=0!"},
         {Group::viscosity, false, shown_unless_zero},
         nullptr},
        {Q::fi0,
         "fi0",
         "°",
         "Text18",
         "начальный угол отклонения",
         "Label18",
         "   o (°)=",
         {},
         {"Label18_2", "φ", 13, 5},
         "0.000",
         {},
         32,
         "0.000",
         "fio(°)=",
         {{{[](double v, P p) { return v == 0 && p.wz0 == 0; }, no_oscillation}}},
         "Не может быть таким большим по модулю!",
         [](P) { return 17.123; },
         {},
         {},
         nullptr},
        {Q::wz0,
         "wz0",
         "рад/с",
         "Text19",
         "начальная угловая скорость",
         "Label19",
         "    zo(рад/с)=",
         {},
         {"Label19_2", "ω", 17, 5},
         "0.000",
         {},
         35,
         "0.000",
         "wzo(рад/с)=",
         {{{[](double v, P p) { return v == 0 && p.fi0 == 0; }, no_oscillation}}},
         "Не может быть такой большой по модулю!",
         [](P) { return -1.123; },
         {},
         {},
         nullptr},
        {Q::Tmax,
         "Tmax",
         "с",
         "Text20",
         "время расчета",
         "Label20",
         "Т (с) =",
         {},
         {},
         {},
         {},
         38,
         "0.000",
         {},
         {{{not_positive, "Должно быть больше 0!"}}},
         "Не может быть таким большим!",
         [](P) { return 40.0; },
         {},
         {},
         nullptr},
    }};
}

} // namespace

const QuantityTable& quantity_table()
{
    static const QuantityTable table = make_table();
    return table;
}

const QuantityRow& quantity_row(Quantity q)
{
    return quantity_table()[static_cast<std::size_t>(q)];
}

std::string display_text(Quantity q, double value)
{
    const std::string_view mask = quantity_row(q).display_mask;
    return mask.empty() ? plain_number_text(value) : format_number(value, mask);
}

std::string start_up_text(Quantity q, double value)
{
    const std::string_view mask = quantity_row(q).start_mask;
    return mask.empty() ? plain_number_text(value) : format_number(value, mask);
}

} // namespace vp
