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

// Fills one row, each step naming what it sets.
class Row {
public:
    Row(QuantityTable& table, Quantity q, std::string_view name, std::string_view unit)
        : r_(table[static_cast<std::size_t>(q)])
    {
        r_.quantity = q;
        r_.name = name;
        r_.unit = unit;
    }
    Row& box(std::string_view name, std::string_view tooltip) { return set(r_.box, name).set(r_.tooltip, tooltip); }
    Row& label(std::string_view name, std::string_view caption, std::string_view tooltip = {})
    {
        return set(r_.label, name).set(r_.caption, caption).set(r_.label_tooltip, tooltip);
    }
    // The letters of the input rows stand 5 px above their labels.
    Row& spoken_as(std::string_view symbol) { return set(r_.symbol, symbol); }
    Row& letter(std::string_view name, std::string_view letter, float width)
    {
        return set(r_.overlay, {name, letter, width, 5});
    }
    Row& shown_as(std::string_view mask) { return set(r_.display_mask, mask); }
    Row& started_as(std::string_view mask) { return set(r_.start_mask, mask); }
    Row& in_file(int field, std::string_view mask, std::string_view caption)
    {
        return set(r_.file_field, field).set(r_.file_mask, mask).set(r_.file_caption, caption);
    }
    Row& in_results_head_as(std::string_view caption) { return set(r_.results_caption, caption); }
    Row& refuses(bool (*broken)(double, P), std::string_view complaint)
    {
        Rule& free = r_.rules[r_.rules[0].broken ? 1 : 0];
        free = {broken, complaint};
        return *this;
    }
    Row& too_large(std::string_view complaint) { return set(r_.too_large, complaint); }
    Row& replaced_by(double (*replacement)(P)) { return set(r_.replacement, replacement); }
    Row& warns(std::string WarningMemories::*memory, std::string_view text, bool comes_again = false)
    {
        return set(r_.warning, {memory, text, comes_again});
    }
    Row& sets(Group group, bool after_write_back, bool (*visible)(double, P))
    {
        return set(r_.group, {group, after_write_back, visible});
    }
    Row& then(void (*after_write_back)(Parameters&)) { return set(r_.after_write_back, after_write_back); }

private:
    template <typename Field>
    Row& set(Field& field, const Field& value)
    {
        field = value;
        return *this;
    }

    QuantityRow& r_;
};

constexpr bool before_write_back = false;
constexpr bool after_write_back = true;

QuantityTable make_table()
{
    QuantityTable t{};
    // The labels' "с_сф=", "с_ст=" begin with a Cyrillic с.
    Row(t, Q::massa, "massa", "кг")
        .box("Text1", "масса сферы")
        .label("Label1", "m (кг) =")
        .spoken_as("m")
        .shown_as("0.0000")
        .started_as("0.0000")
        .in_file(2, "0.0000", "Масса сферы m (кг)")
        .refuses(negative, negative_feminine)
        .refuses([](double v, P p) { return v == 0 && p.massa_st == 0; }, both_masses_zero)
        .too_large("не может быть такой большой!")
        .replaced_by([](P) { return 15.499; })
        .warns(&WarningMemories::predupr_massa, "Можно и так! Качается только стержень!")
        .sets(Group::sphere, before_write_back, shown_unless_zero);
    Row(t, Q::diametr_2, "diametr_2", "м")
        .box("Text4", "внешний диаметр сферы")
        .label("Label4", "d2 (м) =")
        .spoken_as("d₂")
        .shown_as("0.0000")
        .in_file(5, "0.000", "Внешний диаметр d2 (м)")
        .refuses(not_positive, "Не может быть отрицательным или 0!")
        .refuses([](double v, P p) { return v <= p.diametr_1; }, "Не может быть <=d1!")
        .too_large("Не может быть таким большим!")
        // 1.3 * 0 would be refused again: the outer diameter the laboratory
        // starts with instead.
        .replaced_by([](P p) { return p.diametr_1 > 0 ? 1.3 * p.diametr_1 : 0.4; })
        .then(derive_r_shar_2);
    Row(t, Q::diametr_1, "diametr_1", "м")
        .box("Text7", "внутренний диаметр сферы")
        .label("Label7", "d1 (м)=")
        .spoken_as("d₁")
        .shown_as("0.0000")
        .in_file(8, "0.000", "Внутренний диаметр d1 (м)")
        .refuses(negative, negative_masculine)
        .refuses([](double v, P p) { return v >= p.diametr_2; }, "Не может быть >=d2!")
        .too_large("Не может быть таким большим!")
        .replaced_by([](P p) { return 0.7 * p.diametr_2; })
        .warns(&WarningMemories::predupr_d1, "Можно и так! Качается шар!", true)
        .then(derive_r_shar_1);
    Row(t, Q::c_shar, "c_shar", "")
        .box("Text8", "коэффициент лобового сопротивления для сферы")
        .label("Label8", "с_сф=")
        .spoken_as("с_сф")
        .shown_as("0.000")
        .in_file(11, "0.000", "Коэффициент сопротивления сферы")
        .refuses(negative, negative_masculine)
        .too_large("Не может быть таким большим!")
        .replaced_by([](P) { return 0.47; })
        .warns(&WarningMemories::predupr_c_shar, drag_off)
        .sets(Group::quadratic_drag, after_write_back, some_quadratic_drag);
    Row(t, Q::dlina, "dlina", "м")
        .box("Text2", "длина стержня от оси вращения до нижней точки сферы")
        .label("Label2", "L (м) =")
        .spoken_as("L")
        .shown_as("0.0000")
        .in_file(14, "0.0000", "Длина L (м)")
        .refuses([](double v, P p) { return v < p.diametr_2; }, "Не может быть меньше внешнего диаметра!")
        .too_large("Не может быть такой большой!")
        .replaced_by([](P p) { return 1.1 * p.diametr_2; });
    // The first letter of "Cтержень" is a Latin C.
    Row(t, Q::massa_st, "massa_st", "кг")
        .box("Text6", "масса стержня")
        .label("Label6", "М (кг) =")
        .spoken_as("М")
        .shown_as("0.0000")
        .in_file(17, "0.0000", "Масса стержня M (кг)")
        .refuses(negative, negative_feminine)
        .refuses([](double v, P p) { return v == 0 && p.massa == 0; }, both_masses_zero)
        .too_large("не может быть такой большой!")
        .replaced_by([](P) { return 1.2345; })
        .warns(&WarningMemories::predupr_massa_st, "Можно и так! Cтержень невесомый и тонкий!")
        .sets(Group::rod, before_write_back, shown_unless_zero);
    Row(t, Q::diametr_s, "diametr_s", "м")
        .box("Text9", "диаметр стержня. В окне анимации не масштабируется")
        .label("Label9", "D (м) =", "диаметр стержня. В окне анимациине  не масштабируется")
        .spoken_as("D")
        .shown_as("0.0000")
        .in_file(20, "0.0000", "Диаметр стержня D (м)")
        .refuses(not_positive, "не может быть отрицательной или =0!")
        .too_large("не может быть такой большой!")
        .replaced_by([](P) { return 0.008; });
    Row(t, Q::c_ster, "c_ster", "")
        .box("Text34", "коэффициент лобового сопротивления для стержня")
        .label("Label34", "с_ст=")
        .spoken_as("с_ст")
        .shown_as("0.000")
        .in_file(23, "0.000", "Коэффициент сопротивления стержня")
        .refuses(negative, negative_masculine)
        .too_large("Не может быть таким большим!")
        .replaced_by([](P) { return 1.2; })
        .warns(&WarningMemories::predupr_c_ster, drag_off)
        .sets(Group::quadratic_drag, after_write_back, some_quadratic_drag);
    Row(t, Q::ro_0, "ro_0", "кг/м3")
        .box("Text3", "плотность среды")
        .label("Label3", "   o (кг/м3)=")
        .letter("Label3_2", "ρ", 13)
        .spoken_as("ρ₀")
        .shown_as("0.0000")
        .in_file(26, "0.0000", "Плотность среды (кг/м3)")
        .in_results_head_as("ro(кг/м3)=")
        .refuses(negative, negative_feminine)
        .too_large("не может быть такой большой!")
        .replaced_by([](P) { return 1.23; })
        .warns(&WarningMemories::predupr_ro_0, "Если хотите вакуум, то задайте и вязкость=0!")
        .sets(Group::medium, before_write_back, [](double v, P) { return !(v <= 0); });
    Row(t, Q::eta, "eta", "Па·с")
        .box("Text5", "коэффициент динамической вязкости среды")
        .label("Label5", "    (Па·с) = ")
        .letter("Label5_2", "η", 10)
        .spoken_as("η")
        .shown_as("0.0000000")
        .in_file(29, "0.00000000", "Вязкость среды (Па·с)")
        .in_results_head_as("h(Па·с)=")
        .refuses(negative, "не может быть отрицательным!")
        .too_large("не может быть таким большим!")
        .replaced_by([](P) { return 0.001004; })
        .warns(&WarningMemories::predupr_eta, "Если хотите вакуум, то задайте и плотность среды=0!")
        .sets(Group::viscosity, before_write_back, shown_unless_zero);
    Row(t, Q::fi0, "fi0", "°")
        .box("Text18", "начальный угол отклонения")
        .label("Label18", "   o (°)=")
        .letter("Label18_2", "φ", 13)
        .spoken_as("φ₀")
        .shown_as("0.000")
        .in_file(32, "0.000", "Начальный угол (градусы)")
        .in_results_head_as("fio(°)=")
        .refuses([](double v, P p) { return v == 0 && p.wz0 == 0; }, no_oscillation)
        .too_large("Не может быть таким большим по модулю!")
        .replaced_by([](P) { return 17.123; });
    Row(t, Q::wz0, "wz0", "рад/с")
        .box("Text19", "начальная угловая скорость")
        .label("Label19", "    zo(рад/с)=")
        .letter("Label19_2", "ω", 17)
        .spoken_as("ω₀")
        .shown_as("0.000")
        .in_file(35, "0.000", "Начальная угловая скорость (рад/с)")
        .in_results_head_as("wzo(рад/с)=")
        .refuses([](double v, P p) { return v == 0 && p.fi0 == 0; }, no_oscillation)
        .too_large("Не может быть такой большой по модулю!")
        .replaced_by([](P) { return -1.123; });
    // Shown as the plain number text.
    Row(t, Q::Tmax, "Tmax", "с")
        .box("Text20", "время расчета")
        .label("Label20", "Т (с) =")
        .spoken_as("Т")
        .in_file(38, "0.000", "Время расчёта (с)")
        .refuses(not_positive, "Должно быть больше 0!")
        .too_large("Не может быть таким большим!")
        .replaced_by([](P) { return 40.0; });
    return t;
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

std::string box_accessible_name(Quantity q)
{
    const QuantityRow& row = quantity_row(q);
    std::string name = std::string(row.symbol) + ", " + std::string(row.tooltip);
    if (!row.unit.empty())
        name += ", " + std::string(row.unit);
    return name;
}

std::string label_accessible_name(Quantity q)
{
    const QuantityRow& row = quantity_row(q);
    return std::string(row.symbol) + (row.unit.empty() ? "" : " (" + std::string(row.unit) + ")") + " =";
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
