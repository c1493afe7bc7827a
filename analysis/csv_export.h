// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "analysis/run_record.h"

#include <functional>
#include <string>
#include <string_view>

namespace vp {

// The kept run as CSV for spreadsheets and scripts: UTF-8 (the header is
// plain ASCII), comma-separated, "." as the decimal point, line feeds, the
// header, then one row per step: the time, the angle, the angular velocity
// and the total energy as the graphs show them, then the energy ledger in
// double: kinetic and potential energy (W_kin_J + W_pot_J = W_J but for the
// float of W_J) and the energy taken so far by the linear and by the
// quadratic drag. Every number is the shortest text that reads back exactly
// (the energy W_J as the float it is).
inline constexpr std::string_view csv_header = "t_s,fi_deg,wz_rad_s,W_J,W_kin_J,W_pot_J,D_lin_J,D_quad_J\n";

// Hands the text to `sink` in pieces of some tens of kilobytes: a run of
// ten million steps makes some 600 MB of text, which is not built whole.
void write_csv(const RunRecord& record, const std::function<void(std::string_view)>& sink);

} // namespace vp
