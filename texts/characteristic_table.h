// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"
#include "texts/overlay.h"

#include <array>
#include <string>
#include <string_view>

namespace vp {

// The sixteen characteristics as the column beside the inputs shows them,
// one row each, top to bottom (the order of Characteristic). Adding a
// characteristic: its value and the limits it may take in the model
// (characteristic_readings), and a row here.
struct CharacteristicRow {
    Characteristic characteristic;
    std::string_view name;    // the model's name of the value ("ro", "Teta")
    std::string_view label;   // the label's objectName ("Label12")
    std::string_view tooltip; // the label's
    Overlay overlay;
    // The caption is prefix + number + suffix. The prefix leaves blanks where
    // the overlay's letter lies.
    std::string_view prefix;
    std::string_view mask; // "0.000E+00" or "0.000e+00"
    // The number keeps its point whatever the locale (the three "e" labels);
    // the others take the locale's decimal separator.
    bool keeps_point = false;
    std::string_view suffix;
    // The name and the unit in the copied list of characteristics.
    std::string_view symbol; // "ρ", "ωo", "Θ"
    std::string_view unit;   // "кг/м3", "" for a number
};

using CharacteristicTable = std::array<CharacteristicRow, characteristic_count>;
const CharacteristicTable& characteristic_table();
const CharacteristicRow& characteristic_row(Characteristic characteristic);

// The captions of the column, indexed by Characteristic. A value shown as a
// limit keeps the prefix's name before its "=" so that it reads under the
// overlay letter: "Ts -> oo", "   2 -> oo", "  _кр =???", "Q -> 0".
using CharacteristicCaptions = std::array<std::string, characteristic_count>;
CharacteristicCaptions characteristic_captions(const Parameters& p, const Characteristics& c,
                                               std::string_view decimal_separator);

// A caption as a screen reader says it: the overlay's letter in the place
// of the blanks left for it, no blanks at either end: "ρ_sf=8.000E+02 кг/м3".
std::string spoken_caption(Characteristic characteristic, std::string_view caption);

// A value as the copied list gives it: the label's mask with the separator
// given whatever the row keeps, or the limit alone ("-> oo", "-> 0", "???").
std::string characteristic_value_text(Characteristic characteristic, const CharacteristicReading& reading,
                                      std::string_view decimal_separator);

} // namespace vp
