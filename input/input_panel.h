// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/message.h"
#include "input/parameter_file.h"
#include "input/quantity_table.h"
#include "input/validation.h"
#include "model/parameters.h"

#include <string>

namespace vp {

// The parameter panel as the boxes' change handlers and the parameter
// file's loader work on it: the thirteen boxes, and the quantities and
// warning memories they edit. The main window's panel is its line edits;
// a series' points and the batch command keep the texts without a window
// (series/box_entry.h). Both run the same handler and the same loader
// below, so that a point computed without a window has the quantities the
// window would have.
class InputPanel {
public:
    virtual ~InputPanel() = default;

    virtual Parameters& parameters() = 0;
    virtual WarningMemories& memories() = 0;

    virtual std::string box_text(Quantity q) const = 0;
    // Writes a text into q's box. Where it differs from the box's own, the
    // box's change handler (box_changed) runs on it before this returns.
    virtual void write_box(Quantity q, const std::string& text) = 0;
    // The same for the handler's write-back of its own box; the window keeps
    // the caret where it was, for a user editing digits in place.
    virtual void write_back(Quantity q, const std::string& text) { write_box(q, text); }

    // A handler's error or warning: the beep, then the message box.
    virtual void box_message(Quantity q, const Message& message) = 0;
    // Shows or hides a group of controls.
    virtual void apply_visibility(const Visibility& visibility) = 0;
    // The redraw every handler run ends with (Form_Resize): the
    // characteristics recomputed from the quantities.
    virtual void redraw() = 0;

protected:
    InputPanel() = default;
    InputPanel(const InputPanel&) = default;
    InputPanel& operator=(const InputPanel&) = default;
};

// The change handler of q's box, run on the box's text: the steps listed
// under "A handler run" in input/validation.h.
void box_changed(Quantity q, InputPanel& panel);

// The values of a parameter file placed as a click on "Параметры задачи"
// places them, quantity by quantity in the order of the table: the value
// stored directly in the quantity, then its text (by the file mask) written
// into the box, whose handler runs where the text changes. Where the text
// stays and the value may not stand so (value_may_stand), the handler runs
// on the number as typed. A file refused whole (parameter_file_refusal) is
// not placed at all; one that ended early places the values it holds.
void place_parameter_fields(const FieldReading& reading, InputPanel& panel);

} // namespace vp
