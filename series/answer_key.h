// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/csv_export.h"
#include "series/series.h"
#include "series/variants.h"

#include <string>
#include <string_view>
#include <vector>

namespace vp {

inline constexpr std::string_view answer_key_file_name = "answers.csv";

// The answers to the variants, for the teacher: one row per variant, with
// its file's name, the drawn quantities (in the quantity table's order) as the file
// holds them, the sixteen characteristics as numbers (a limit, "-> oo", as
// its text), then what the analysis window measures in the variant's run
// (its point): the period, Θ, Q, δ of the amplitudes, δ and κ of the two
// drags measured apart, each empty or in the series table's words where it
// is no number; last, why the run did not reach Tmax, if it did not. The
// header is plain ASCII; the dialect is the series table's.
std::string answer_key_csv(const std::vector<Variant>& variants, const std::vector<SeriesPoint>& points,
                           const std::vector<Quantity>& drawn, const CsvDialect& dialect);

} // namespace vp
