// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace vp {

// What the command takes from where it runs.
struct BatchEnvironment {
    // The decimal separator of the user's locale, as the window takes it.
    std::string decimal_separator = ".";
    // Standard error is a terminal: a line of progress is shown there when a
    // series or a threshold takes longer than a second.
    bool progress = false;
    // Monotonic time, s.
    std::function<double()> clock;
};

// Exit statuses.
inline constexpr int batch_ok = 0;
inline constexpr int batch_failed = 1; // a file not read or not written, a run refused, no threshold
inline constexpr int batch_usage = 2;  // a wrong command line

// viscous-pendulum-batch: the arguments after the program's name; the
// characteristics, tables and results go to `out`, messages to `err`.
int run_batch(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
              const BatchEnvironment& environment);

} // namespace vp
