// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameters.h"
#include "texts/overlay.h"

#include <array>
#include <string>
#include <string_view>

namespace vp {

// The table of the thirteen quantities: one row each, in the order of
// Quantity, with everything the laboratory does with a quantity besides its
// physics: the box that edits it and the label beside it, the texts of its
// value, its field in the parameter file and its line in the head of the
// results file, and the checks of its box's change handler. The validation
// (input/validation.h) applies these rows; the window creates and lays out
// the boxes from them.
//
// Adding a quantity: a member of Parameters and its default (predvar), its
// physics where it acts, an enumerator of Quantity, a row here, and its
// controls in the window's inventory (shell/control_id.h).

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

// Values at or beyond this magnitude are refused as too large: the number
// texts carry fifteen significant digits, so a larger value could not be
// shown as it is read, and with every quantity below it the characteristics
// stay far from overflowing a double.
inline constexpr double largest_magnitude = 1e15;

// Controls shown or hidden together when part of the physics is switched
// off: the sphere's inputs and characteristics, the rod's, the quadratic-drag
// parameter, the medium's and the viscous damping's characteristics.
enum class Group { sphere, rod, quadratic_drag, medium, viscosity };

// An error test of a box: the value v it reads against the model p as it
// stands (the box's own quantity in p is not read). The complaint is shown
// with the advice " Не вводите заново, а исправьте!" after it.
struct Rule {
    bool (*broken)(double v, const Parameters& p) = nullptr;
    std::string_view complaint;
};

// The one-time warning of a legal value that switches part of the physics
// off; it is considered for a value of 0 only.
struct Warning {
    std::string WarningMemories::*memory = nullptr;
    std::string_view text;
    // The memory takes sphere_marker whenever the warning is not shown, so
    // that the next 0 warns again.
    bool comes_again = false;
};

// The group a box's handler shows or hides, each time it runs: before the
// write-back from the value read, or after it from the model as the nested
// run of the write-back has left it.
struct GroupSwitch {
    Group group = Group::sphere;
    bool after_write_back = false;
    bool (*visible)(double v, const Parameters& p) = nullptr; // nullptr: the box sets no group
};

struct QuantityRow {
    Quantity quantity;
    std::string_view name; // the model's name: "massa"
    std::string_view unit; // SI, as the captions write it ("кг", "Па·с"); "" for a pure number

    // The box and the label beside it, by their objectNames.
    std::string_view box;     // "Text1"
    std::string_view tooltip; // the box's, and the label's unless label_tooltip says otherwise
    std::string_view label;   // "Label1"
    std::string_view caption; // the label's, with blanks where the overlay's letter lies
    std::string_view label_tooltip;
    Overlay overlay;
    // The symbol as a screen reader says it, the letter under the overlay
    // restored: "ρ₀".
    std::string_view symbol;

    // The texts of the value: the box's own display mask ("" for the plain
    // number text), and the mask of the default written at start-up.
    std::string_view display_mask;
    std::string_view start_mask;
    // The parameter file's field that holds the value, and the mask the
    // loader writes it into the box with.
    int file_field = 0;
    std::string_view file_mask;
    // The caption of the quantity's line in a parameter file the program
    // writes, as the sample file has it (field 1; no comma, no quote).
    std::string_view file_caption;
    // Column 1 of the quantity's line in the head of the results file, where
    // it is not the label's caption: the labels under a Greek letter give a
    // fixed text instead.
    std::string_view results_caption;

    // The change handler's checks: the error tests in order (the first that
    // holds wins), then the complaint about a number too large; the value
    // that takes the place of a refused one; the warning; the group.
    std::array<Rule, 2> rules;
    std::string_view too_large;
    double (*replacement)(const Parameters& p) = nullptr;
    Warning warning;
    GroupSwitch group;
    // What the handler does after the write-back (the radii beside the
    // diameters); nullptr for nothing.
    void (*after_write_back)(Parameters& p) = nullptr;
};

using QuantityTable = std::array<QuantityRow, quantity_count>;
const QuantityTable& quantity_table();
const QuantityRow& quantity_row(Quantity q);

// The names a screen reader gives the box, "ρ₀, плотность среды, кг/м3",
// and its label, "ρ₀ (кг/м3) =".
std::string box_accessible_name(Quantity q);
std::string label_accessible_name(Quantity q);

// The text a box shows for a value: its display mask, or the plain number
// text for Text20.
std::string display_text(Quantity q, double value);

// The text the start-up writes into a box for the default: massa by its
// mask, the others as plain number text; the box's handler then rewrites it
// in the box's own format.
std::string start_up_text(Quantity q, double value);

} // namespace vp
