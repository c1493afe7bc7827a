// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/boxes.h"

#include <optional>
#include <string_view>

namespace vp {

// How the thirteen quantities are named where a series names the one it
// varies: on the command line and in the CSV by the model's own names
// ("massa", "eta", "Tmax"), in the series window by the label of the box
// with its letter and unit ("m (кг)", "η (Па·с)", "Т (с)").
std::string_view quantity_name(Quantity q);
std::optional<Quantity> quantity_named(std::string_view name);
std::string_view quantity_label(Quantity q);

// The box that edits the quantity.
const BoxInfo& box_of(Quantity q);

} // namespace vp
