// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "series/box_entry.h"

#include <array>
#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// Variants of the laboratory work for a group of students: parameter files
// that differ from a base in some quantities drawn at random, each holding
// its values as the boxes show them, and each loaded by a window just
// started without a message and accepted by the start.

// A quantity drawn from FROM to TO, both included.
struct VariantRange {
    Quantity quantity = Quantity::eta;
    double from = 0;
    double to = 0;
};

inline constexpr int max_variants = 999;
// Draws of one variant before the drawing gives up: a range whose values
// the boxes or the start refuse ten times in a row is rare; one refused a
// thousand times in a row is a range that does not fit the other values.
inline constexpr int max_variant_draws = 1000;

// A range over more than a decade of positive values is drawn in ratio
// (log-uniformly: each decade as likely as the next), any other evenly.
bool drawn_in_ratio(const VariantRange& range);

// The decimals a quantity's value keeps in a parameter file the program
// writes: those its box shows, and no more than the loader keeps (d2 shows
// four, the loader rounds the file's value to three).
int box_decimals(Quantity q);

// The value rounded to the box's decimals, as the box shows it (without
// the blank the plain number text puts before a value that is not
// negative): what the file holds and the box shows after loading it.
std::string box_value_text(Quantity q, double value);

// Why no value of the range could stand in its box, in the program's
// words; nothing when some could. Refused: FROM above TO, an end that the
// box refuses whatever the other quantities are (a negative mass, a
// viscosity beyond any number a box takes), a range the box's decimals
// cannot tell apart.
std::optional<std::string> range_refusal(const VariantRange& range);

// The random numbers of the variants, the same for a seed on every machine
// and with every compiler: the standard fixes each number of mt19937_64 for
// a seed, and a draw takes its upper 53 bits as the fraction of [0, 1) (not
// std::uniform_real_distribution, whose results each library makes its
// own); the source is built without fused multiply-adds, which some
// processors would round otherwise. A draw in ratio goes through exp and
// log, which may differ in the last bit from one library to another: the
// rounding to the box's decimals hides that unless the value lies within a
// bit of a rounding tie, about once in 10^8 or 10^9 draws.
class VariantDraw {
public:
    explicit VariantDraw(std::uint64_t seed) : engine_(seed) {}
    // In [0, 1), a multiple of 2^-53.
    double fraction();
    // A value of the range before its rounding.
    double value(const VariantRange& range);

private:
    std::mt19937_64 engine_;
};

// "variant-01.txt": the number in two digits, in three from 100 variants on.
std::string variant_file_name(int number, int count);

// A parameter file in the layout of the sample the program comes with:
// UTF-8, CR LF, one line per quantity ("Масса сферы m (кг), 44.1700,"),
// then the last line (the fortieth field, which no reader takes).
std::string parameter_file_text(const std::array<std::string, quantity_count>& values, std::string_view last_line);

// A parameter file's bytes as a click on "Параметры задачи" places them in a
// window just started: the boxes and the model, or why the file would not
// load silently and start (a box's message, a box that does not show the
// file's value, the start's refusal).
struct LoadedParameters {
    LabInputs lab;
    std::string complaint; // empty when the file loads silently and the start accepts it
};
LoadedParameters load_silently(std::string_view bytes, const std::array<std::string, quantity_count>& values);

struct Variant {
    std::string name; // "variant-07.txt"
    std::string file; // its bytes
    LabInputs lab;    // the laboratory once it is loaded
};

struct VariantSet {
    std::vector<Variant> variants;
    std::vector<Quantity> drawn; // the quantities drawn, in the order of the quantity table
    int draws = 0;               // the draws made, the refused ones too
    // Why a variant could not be drawn; then there are none.
    std::string error;
};

// `count` variants of the base: the quantities of the ranges drawn in the
// order of the quantity table (whatever the order of the ranges), one
// variant after another from one sequence of the seed, so that fewer
// variants of a seed hold the values of the first ones of more (their
// files differ in the last line, "Вариант 07 из 25"). A variant refused is drawn
// again, all its quantities anew. The other quantities stay as their boxes
// show them in the base.
VariantSet draw_variants(const LabInputs& base, std::vector<VariantRange> ranges, std::uint64_t seed, int count);

} // namespace vp
