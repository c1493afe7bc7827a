// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/boxes.h"
#include "input/message.h"
#include "input/parameter_file.h"
#include "input/validation.h"
#include "model/characteristics.h"
#include "model/parameters.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// What the input side of the main window holds: the quantities, their
// characteristics, the run settings, the warnings already given and the
// texts of the thirteen boxes. A series starts every point from a copy of
// the window's, and the batch command builds one as the window does.
struct LabInputs {
    Parameters p;
    RunSettings run;
    Characteristics c;
    WarningMemories memories;
    std::array<std::string, box_count> texts;
    // 0 while the window starts up: the characteristics are not recomputed
    // after each box then.
    int zagruzka = 1;
};

// A message a box's change handler gives, and the box.
struct BoxMessage {
    Box box;
    Message message;
};

// The main window's start-up: the defaults written into the boxes as the
// window writes them, each box's handler run on its text, then the
// characteristics.
void start_up(LabInputs& lab, std::vector<BoxMessage>& messages);

// Writing a box's text, as the window's box does it: when the text differs
// from the box's, the box's change handler runs on it — decide(), the
// write-back (which runs the handler again, nested, when it changes the
// text), the step after the write-back and, once start-up is over, the
// characteristics, as the window's redraw recomputes them. What the window
// would show in message boxes is added to `messages`.
void write_box(LabInputs& lab, Box box, std::string_view text, std::vector<BoxMessage>& messages);

// The parameter file's values placed as a click on "Параметры задачи"
// places them: each value stored in its quantity, then its text written into
// its box.
void place_fields(LabInputs& lab, const FieldReading& reading, std::vector<BoxMessage>& messages);

// A value entered into a quantity's box: the program's own text of the value
// (the plain number text, as the start-up writes the boxes), which the box's
// handler then checks and rewrites in the box's format.
void enter_value(LabInputs& lab, Quantity q, double value, std::vector<BoxMessage>& messages);

// The first error among the messages, if any.
const Message* first_error(const std::vector<BoxMessage>& messages);

} // namespace vp
