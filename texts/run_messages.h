// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/characteristics.h"
#include "model/parameters.h"
#include "model/run_check.h"

#include <string>
#include <string_view>

namespace vp {

// The message of a refusal, shown with the title "Ошибка". A run too long
// says how long it would take at the pause of seconds_per_step.
std::string refusal_message(RunRefusal refusal, const Parameters& p, const Characteristics& c, double seconds_per_step);

// The message of a run ended because its next state would not have been a
// finite number: the time of the last sound step, with the decimal separator
// of the readouts.
std::string failure_message(double t_f, std::string_view decimal_separator);

} // namespace vp
