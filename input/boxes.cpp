// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/boxes.h"

#include "model/number_text.h"

namespace vp {
namespace {

constexpr std::array<BoxInfo, box_count> boxes = {{
    {Box::Text1, "Text1", Quantity::massa, "0.0000", 2, "0.0000", "", "m (кг) ="},
    {Box::Text4, "Text4", Quantity::diametr_2, "0.0000", 5, "0.000", "", "d2 (м) ="},
    {Box::Text7, "Text7", Quantity::diametr_1, "0.0000", 8, "0.000", "", "d1 (м)="},
    {Box::Text8, "Text8", Quantity::c_shar, "0.000", 11, "0.000", "", "с_сф="},
    {Box::Text2, "Text2", Quantity::dlina, "0.0000", 14, "0.0000", "", "L (м) ="},
    {Box::Text6, "Text6", Quantity::massa_st, "0.0000", 17, "0.0000", "", "М (кг) ="},
    {Box::Text9, "Text9", Quantity::diametr_s, "0.0000", 20, "0.0000", "", "D (м) ="},
    {Box::Text34, "Text34", Quantity::c_ster, "0.000", 23, "0.000", "", "с_ст="},
    {Box::Text3, "Text3", Quantity::ro_0, "0.0000", 26, "0.0000", "ro(кг/м3)=", "   o (кг/м3)="},
    {Box::Text5, "Text5", Quantity::eta, "0.0000000", 29, "0.00000000", "h(Па·с)=", "    (Па·с) = "},
    {Box::Text18, "Text18", Quantity::fi0, "0.000", 32, "0.000", "fio(°)=", "   o (°)="},
    {Box::Text19, "Text19", Quantity::wz0, "0.000", 35, "0.000", "wzo(рад/с)=", "    zo(рад/с)="},
    {Box::Text20, "Text20", Quantity::Tmax, "", 38, "0.000", "", "Т (с) ="},
}};

double Parameters::*member(Quantity q)
{
    switch (q) {
    case Quantity::massa: return &Parameters::massa;
    case Quantity::diametr_2: return &Parameters::diametr_2;
    case Quantity::diametr_1: return &Parameters::diametr_1;
    case Quantity::c_shar: return &Parameters::c_shar;
    case Quantity::dlina: return &Parameters::dlina;
    case Quantity::massa_st: return &Parameters::massa_st;
    case Quantity::diametr_s: return &Parameters::diametr_s;
    case Quantity::c_ster: return &Parameters::c_ster;
    case Quantity::ro_0: return &Parameters::ro_0;
    case Quantity::eta: return &Parameters::eta;
    case Quantity::fi0: return &Parameters::fi0;
    case Quantity::wz0: return &Parameters::wz0;
    case Quantity::Tmax: return &Parameters::Tmax;
    }
    return &Parameters::massa;
}

} // namespace

const std::array<BoxInfo, box_count>& box_table()
{
    return boxes;
}

const BoxInfo& box_info(Box box)
{
    return boxes[static_cast<std::size_t>(box)];
}

double quantity(const Parameters& p, Quantity q)
{
    return p.*member(q);
}

double& quantity(Parameters& p, Quantity q)
{
    return p.*member(q);
}

double quantity(const Parameters& p, Box box)
{
    return quantity(p, box_info(box).quantity);
}

double& quantity(Parameters& p, Box box)
{
    return quantity(p, box_info(box).quantity);
}

std::string display_text(Box box, double value)
{
    const std::string_view mask = box_info(box).display_mask;
    return mask.empty() ? plain_number_text(value) : format_number(value, mask);
}

} // namespace vp
