// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"

#include <functional>
#include <string>
#include <string_view>

namespace vp {

// The two kinds of CSV the program writes. The plain one is for programs
// and scripts: UTF-8, "," between fields, "." in numbers, line feeds. The
// one for spreadsheets is what a spreadsheet of a Russian desktop opens with
// a double click: a UTF-8 byte-order mark, ";" between fields and the
// system's decimal separator in numbers.
struct CsvDialect {
    char separator = ',';
    std::string decimal = ".";
    bool byte_order_mark = false;
};

CsvDialect excel_csv(std::string_view decimal_separator);

inline constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";

// A number as the dialect writes it: the shortest text that reads back as
// exactly this value (a float with the digits of the float), with the
// dialect's decimal separator.
std::string csv_number(double value, const CsvDialect& dialect);
std::string csv_number(float value, const CsvDialect& dialect);

// A text field, quoted (its quotes doubled) when it holds the separator, a
// quote or a line end.
std::string csv_field(std::string_view text, const CsvDialect& dialect);

// The kept run as CSV: the header (plain ASCII, with the dialect's
// separator), then one row per step: the time, the angle, the angular
// velocity and the total energy as the graphs show them, then the energy
// ledger in double: kinetic and potential energy (W_kin_J + W_pot_J = W_J
// but for the float of W_J) and the energy taken so far by the linear and by
// the quadratic drag. Every number is the shortest text that reads back
// exactly (the energy W_J as the float it is).
inline constexpr std::string_view csv_header = "t_s,fi_deg,wz_rad_s,W_J,W_kin_J,W_pot_J,D_lin_J,D_quad_J\n";

// Hands the text to `sink` in pieces of some tens of kilobytes: a run of
// ten million steps makes some 600 MB of text, which is not built whole.
void write_csv(const RunRecord& record, const std::function<void(std::string_view)>& sink,
               const CsvDialect& dialect = {});

} // namespace vp
