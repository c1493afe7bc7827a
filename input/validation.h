// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/boxes.h"
#include "input/message.h"
#include "model/parameters.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// What the change handler of an input box does, decided without the window.
//
// A handler run, as the window carries it out for a Decision d:
//   1. quantity(p, box) = d.value;
//   2. if d.message: signal(25), then the message box;
//   3. if d.visibility_before: show or hide its group;
//   4. write d.text into the box; when that changes the text, the box's
//      handler runs again, nested, on the new text (decide() is simply
//      called again);
//   5. after_write_back(d.after, p): the step that follows the write-back,
//      which reads the model as the nested run has left it;
//   6. Form_Resize.
//
// Rules beyond the plain checks of each box:
//   - A number too large for a double (1e999) or of magnitude 1e15 or more
//     is never stored. It is tested as an infinity of its sign, so a box that
//     refuses negative values reports a negative one as negative; otherwise
//     the box reports it as too large, with the box's usual replacement. The
//     number texts carry fifteen significant digits, so a larger value could
//     not be shown as it is read, and with every quantity below 1e15 the
//     characteristics stay far from overflowing a double.
//   - Text4 when diametr_1 is 0: the usual replacement 1.3 * diametr_1 would
//     be 0 again, so the box takes 0.4 m, the outer diameter the laboratory
//     starts with.

// The memories of the one-time warnings: each holds the warning last shown
// for its quantity. predupr_d1 also takes the marker sphere_marker, which is
// never shown and lets the warning for diametr_1 come again.
struct WarningMemories {
    std::string predupr_massa;
    std::string predupr_d1;
    std::string predupr_massa_st;
    std::string predupr_c_shar;
    std::string predupr_c_ster;
    std::string predupr_ro_0;
    std::string predupr_eta;
};

inline constexpr std::string_view sphere_marker = " Качается сфера!";

// Values at or beyond this magnitude are refused as too large.
inline constexpr double largest_magnitude = 1e15;

// Controls shown or hidden together when part of the physics is switched
// off: the sphere's inputs and characteristics, the rod's, the quadratic-drag
// parameter, the medium's and the viscous damping's characteristics.
enum class Group { sphere, rod, quadratic_drag, medium, viscosity };

struct Visibility {
    Group group;
    bool visible;
};

// The step between the write-back and Form_Resize.
enum class AfterWriteBack {
    nothing,
    set_r_shar_2,              // r_shar_2 := diametr_2 / 2 (Text4)
    set_r_shar_1,              // r_shar_1 := diametr_1 / 2 in single precision (Text7)
    quadratic_drag_visibility, // the pair hidden when c_shar = 0 and c_ster = 0 (Text8, Text34)
};

struct Decision {
    double value = 0;               // the quantity's new value
    std::optional<Message> message; // at most one error or warning
    std::optional<Visibility> visibility_before;
    std::string text; // the write-back, in the box's display format
    AfterWriteBack after = AfterWriteBack::nothing;
};

// One run of the box's change handler on the box's text. p is the model as
// it stands (the box's own quantity in it is not read); m is updated.
Decision decide(Box box, std::string_view text, const Parameters& p, WarningMemories& m);

// Carries out the step after the write-back on the model as it stands then;
// returns the visibility to set, if the step sets one.
std::optional<Visibility> after_write_back(AfterWriteBack step, Parameters& p);

} // namespace vp
