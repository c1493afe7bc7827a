// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/csv_export.h"
#include "model/parameters.h"
#include "series/series.h"

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

// The table of a series: one row per point, these columns in this order.
// The window, the clipboard, the CSV and the batch command all take it from
// here; a new column is one more line of series_columns().
enum class SeriesColumn {
    value,
    T,
    Ts,
    T_difference,
    Teta,
    Teta_theory,
    Teta_difference,
    Q,
    Q_theory,
    Q_difference,
    delta,
    delta_theory,
    delta_difference,
    turning_points,
    crossings,
    e_fold_time,
    regime,
    reason,
};

struct SeriesColumnInfo {
    SeriesColumn column;
    std::string_view heading;  // in the window and on the clipboard; the value column's is the quantity's label
    std::string_view csv_name; // plain ASCII; the value column's is the quantity's name
    std::string_view mask;     // the window's number format; empty for counts and texts
};

const std::vector<SeriesColumnInfo>& series_columns();
std::string column_heading(const SeriesColumnInfo& info, Quantity varied);
std::string column_csv_name(const SeriesColumnInfo& info, Quantity varied);

// A cell: a number, or a text (the regime, the reason, the words of a
// measured value that is no number: "≈ 0 (в пределах погрешности
// расчёта)"); neither where the point has nothing there. A number may be a
// bound only (the quality factor of a decrement within the run's noise),
// shown after "> " and not plotted.
struct SeriesCell {
    std::optional<double> number;
    std::string text;
    bool bound = false;
};
SeriesCell series_cell(const SeriesPoint& point, SeriesColumn column);

// The text of a cell, its number written by `number`.
std::string cell_text(const SeriesCell& cell, const std::function<std::string(double)>& number);

// The measured value of the point's comparison of that symbol ("Ts", "Θ",
// "κ (две силы)": SwingAnalysis::comparisons()), as the table shows it.
SeriesCell measured_cell(const SeriesPoint& point, const char* symbol);

// A cell as the CSV writes it: a number as the dialect writes it, a text
// (or a bound, "> 1.2") as a text field.
std::string csv_cell(const SeriesCell& cell, const CsvDialect& dialect);

// A cell as the window's table and the report show it: the value as its
// box shows it, counts whole, numbers by the column's mask with the
// separator given.
std::string shown_cell_text(const SeriesPoint& point, const SeriesColumnInfo& info, std::string_view decimal_separator);

// "Копировать таблицу": the headings, then a line per point, separated by
// tabs, numbers in nine significant digits with the separator given.
std::string series_table_text(const std::vector<SeriesPoint>& points, Quantity varied,
                              std::string_view decimal_separator);

// The table as CSV in the dialect given, line feeds.
std::string series_csv(const std::vector<SeriesPoint>& points, Quantity varied, const CsvDialect& dialect);

// What the plot can show against the varied quantity: a measured column as
// points and, where there is one, its theory as a line.
struct SeriesPlot {
    std::string_view title;
    SeriesColumn measured;
    std::optional<SeriesColumn> theory;
};
const std::vector<SeriesPlot>& series_plots();

} // namespace vp
