// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/message.h"
#include "input/quantity_table.h"
#include "model/parameters.h"

#include <optional>
#include <string>
#include <string_view>

namespace vp {

// What the change handler of an input box does, decided without the window.
//
// A handler run, as the window carries it out for a Decision d:
//   1. quantity(p, q) = d.value;
//   2. if d.message: signal(25), then the message box;
//   3. if d.visibility_before: show or hide its group;
//   4. write d.text into the box; when that changes the text, the box's
//      handler runs again, nested, on the new text (decide() is simply
//      called again);
//   5. after_write_back(q, p): the step that follows the write-back, which
//      reads the model as the nested run has left it;
//   6. Form_Resize.
//
// A number too large for a double (1e999) or of magnitude largest_magnitude
// or more is never stored. It is tested as an infinity of its sign, so a box
// that refuses negative values reports a negative one as negative; otherwise
// the box reports it as too large, with the box's usual replacement.

struct Visibility {
    Group group;
    bool visible;
};

struct Decision {
    double value = 0;               // the quantity's new value
    std::optional<Message> message; // at most one error or warning
    std::optional<Visibility> visibility_before;
    std::string text; // the write-back, in the box's display format
};

// The complaint of the first error test of q's box that v breaks against the
// model p (the tests in order, compared exactly), or the complaint about a
// number too large; nothing for a value the box accepts.
std::optional<std::string_view> box_complaint(Quantity q, double v, const Parameters& p);

// One run of the change handler of q's box on the box's text, by the
// quantity's row of the table. p is the model as it stands (q itself in it
// is not read); m is updated. Needs no window.
Decision decide(Quantity q, std::string_view text, const Parameters& p, WarningMemories& m);

// The step after the write-back, on the model as the nested run has left
// it: the radius beside a diameter, or the visibility of a group set from
// the model; returns that visibility, if the step sets one.
std::optional<Visibility> after_write_back(Quantity q, Parameters& p);

} // namespace vp
