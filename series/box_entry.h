// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/input_panel.h"
#include "input/message.h"
#include "input/parameter_file.h"
#include "input/quantity_table.h"
#include "model/characteristics.h"
#include "model/parameters.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// What the input side of the main window holds: the quantities, their
// characteristics, the run settings, the warnings already given and the
// texts of the thirteen boxes, in the order of the quantity table. A series
// starts every point from a copy of the window's, and the batch command
// builds one as the window does.
struct LabInputs {
    Parameters p;
    RunSettings run;
    Characteristics c;
    WarningMemories memories;
    std::array<std::string, quantity_count> texts;
    // 0 while the window starts up: the characteristics are not recomputed
    // after each box then.
    int zagruzka = 1;
};

// A message a box's change handler gives, and the quantity of the box.
struct BoxMessage {
    Quantity quantity = Quantity::massa;
    Message message;
};

// The boxes of a LabInputs as the input panel the window's handlers and
// loader work on (input/input_panel.h): a written text that differs runs
// the box's handler; what the window would show in message boxes is added
// to `messages`; nothing is shown or hidden; the redraw recomputes the
// characteristics once start-up is over, as the window's does.
class LabPanel final : public InputPanel {
public:
    LabPanel(LabInputs& lab, std::vector<BoxMessage>& messages) : lab_(lab), messages_(messages) {}

    Parameters& parameters() override { return lab_.p; }
    WarningMemories& memories() override { return lab_.memories; }
    std::string box_text(Quantity q) const override;
    void write_box(Quantity q, const std::string& text) override;
    void box_message(Quantity q, const Message& message) override;
    void apply_visibility(const Visibility&) override {}
    void redraw() override;

private:
    LabInputs& lab_;
    std::vector<BoxMessage>& messages_;
};

// The main window's start-up: the defaults written into the boxes as the
// window writes them, each box's handler run on its text, then the
// characteristics.
void start_up(LabInputs& lab, std::vector<BoxMessage>& messages);

// The parameter file's values placed as a click on "Параметры задачи"
// places them (place_parameter_fields).
void place_fields(LabInputs& lab, const FieldReading& reading, std::vector<BoxMessage>& messages);

// A value entered into a quantity's box: the program's own text of the value
// (the plain number text, as the start-up writes the boxes), which the box's
// handler then checks and rewrites in the box's format.
void enter_value(LabInputs& lab, Quantity q, double value, std::vector<BoxMessage>& messages);

// The first error among the messages, if any.
const Message* first_error(const std::vector<BoxMessage>& messages);

} // namespace vp
