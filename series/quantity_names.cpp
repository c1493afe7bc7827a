// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/quantity_names.h"

#include "input/quantity_table.h"
#include "texts/padding.h"

namespace vp {

std::string_view quantity_name(Quantity q)
{
    return quantity_row(q).name;
}

std::optional<Quantity> quantity_named(std::string_view name)
{
    for (const QuantityRow& row : quantity_table()) {
        if (row.name == name)
            return row.quantity;
    }
    return std::nullopt;
}

std::string quantity_symbol(Quantity q)
{
    const QuantityRow& row = quantity_row(q);
    // The caption's symbol: up to its unit or its "=", the blanks it begins
    // with being where the letter stands ("   o (кг/м3)=" under ρ: "ρo").
    const std::string_view symbol = without_padding(row.caption.substr(0, row.caption.find_first_of("(=")));
    return std::string(row.overlay.letter) + std::string(symbol);
}

std::string quantity_label(Quantity q)
{
    std::string label = quantity_symbol(q);
    const std::string_view unit = quantity_row(q).unit;
    if (!unit.empty())
        label += " (" + std::string(unit) + ")";
    return label;
}

} // namespace vp
