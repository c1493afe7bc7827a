// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

namespace vp {

// A Greek letter laid over the left end of a caption, where the caption
// leaves blanks for it ("ρ" over "   o (кг/м3)="). The letter is a label of
// its own, named after the caption's label with "_2".
struct Overlay {
    std::string_view name;   // "Label3_2"; empty: no letter over the caption
    std::string_view letter; // "ρ"
    float width = 0;         // its designed width, px
    float rise = 0;          // how far it stands above the caption's label, px
};

} // namespace vp
