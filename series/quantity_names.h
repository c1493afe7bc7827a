// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameters.h"

#include <optional>
#include <string>
#include <string_view>

namespace vp {

// How a series names the quantity it varies: on the command line and in the
// CSV by the model's own name of its row in the quantity table ("massa",
// "eta", "Tmax"); in the series window by its label as the panel shows it,
// the Greek letter standing over the caption put in, with its unit ("m (кг)",
// "η (Па·с)", "ωzo (рад/с)", "с_сф").
std::string_view quantity_name(Quantity q);
std::optional<Quantity> quantity_named(std::string_view name);
std::string quantity_label(Quantity q);
// The symbol alone, as the box's label shows it: "ρo", "η", "d2".
std::string quantity_symbol(Quantity q);

} // namespace vp
