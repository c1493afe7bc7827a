// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string_view>

namespace vp {

// Every control of the main window, by its name in the control inventory:
// the parameter panel, the characteristics column, the current values, the
// run controls and the drawing area. A control whose name ends in _2 is the
// Greek letter laid over the left end of the label of the same name.
// clang-format off
#define VP_CONTROLS(X)                                                                                                 \
    X(Label10)                                                                                                         \
    X(Label1) X(Text1) X(Label4) X(Text4) X(Label7) X(Text7) X(Label8) X(Text8) X(Label2) X(Text2) X(Label6)           \
    X(Text6) X(Label9) X(Text9) X(Label34) X(Text34) X(Label3) X(Label3_2) X(Text3) X(Label5) X(Label5_2) X(Text5)     \
    X(Label18) X(Label18_2) X(Text18) X(Label19) X(Label19_2) X(Text19) X(Label20) X(Text20)                           \
    X(Label11)                                                                                                         \
    X(Label12) X(Label12_2) X(Label33) X(Label33_2) X(Label13) X(Label14) X(Label14_2) X(Label15) X(Label16)           \
    X(Label16_2) X(Label17) X(Label17_2) X(Label22) X(Label22_2) X(Label23) X(Label24) X(Label25) X(Label25_2)         \
    X(Label26) X(Label26_2) X(Label27) X(Label27_2) X(Label28) X(Label35) X(Label36)                                    \
    X(Label29) X(Label30) X(Label31) X(Label37)                                                                        \
    X(HScroll1) X(Label21) X(HScroll2) X(Label32) X(Frame1) X(Option1) X(Option2) X(CmdOK) X(Check_p)                  \
    X(Picture1) X(Picture2) X(VScroll1) X(Picture3) X(VScroll2) X(Picture4) X(VScroll3) X(Picture14)
// clang-format on

enum class Ctl {
#define VP_CONTROL_ENUMERATOR(name) name,
    VP_CONTROLS(VP_CONTROL_ENUMERATOR)
#undef VP_CONTROL_ENUMERATOR
};

inline constexpr std::size_t control_count = 0
#define VP_CONTROL_COUNT(name) +1
    VP_CONTROLS(VP_CONTROL_COUNT)
#undef VP_CONTROL_COUNT
    ;

// The control's name, which is also its objectName.
std::string_view control_name(Ctl control);

// The control of that name, as the tables of quantities and characteristics
// name them; an unknown name throws std::invalid_argument.
Ctl control_named(std::string_view name);

} // namespace vp
