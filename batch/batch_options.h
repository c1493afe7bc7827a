// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/parameters.h"
#include "series/series_values.h"
#include "series/variants.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

inline constexpr std::string_view batch_program = "viscous-pendulum-batch";

// A quantity and the values it takes in a series (--vary).
struct VariedQuantity {
    Quantity quantity = Quantity::eta;
    SeriesValues values;
};

// What the command line asks of viscous-pendulum-batch.
struct BatchOptions {
    std::string parameter_file = "vibrel_in.txt";
    std::optional<std::string> results; // --results FILE
    std::optional<std::string> csv;     // --csv FILE
    bool excel = false;                 // --excel
    bool analysis = false;              // --analysis
    std::optional<VariedQuantity> vary; // --vary NAME=...
    std::optional<Quantity> threshold;  // --threshold NAME
    unsigned threads = 0;               // --threads N; 0: all cores
    std::optional<int> variants;        // --variants N
    std::optional<std::uint64_t> seed;  // --seed S
    std::optional<std::string> out;     // --out DIR
    // --vary NAME=FROM:TO with --variants, one per quantity, in the order given.
    std::vector<VariantRange> ranges;
    // The arguments of --vary as given: what they mean depends on --variants.
    std::vector<std::string> vary_arguments;
    bool help = false;
    bool version = false;

    // The series table goes to standard output (no --csv).
    bool series_to_standard_output() const { return vary && !csv; }
};

// One option of the command: its name, the name of its argument (empty for
// a switch), one line of help in Russian and how it is taken in. `apply`
// returns the complaint about a wrong argument, empty when it is right. New
// options are new lines of batch_option_table().
struct BatchOption {
    std::string_view name; // "--results"
    std::string_view argument;
    std::string_view help;
    std::function<std::string(BatchOptions&, std::string_view argument)> apply;
};

const std::vector<BatchOption>& batch_option_table();

struct ParsedBatchOptions {
    BatchOptions options;
    std::string error; // wrong usage, in Russian; empty when the line is right
};

// The arguments after the program's name. An option takes its argument as
// the next word or after "=" ("--threads 2", "--threads=2"); a word that is
// not an option names the parameter file; "--" ends the options.
ParsedBatchOptions parse_batch_options(const std::vector<std::string>& arguments);

// The text of --help.
std::string batch_help();

} // namespace vp
