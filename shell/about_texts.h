// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vp::about_texts {

// The six lines of the authors window.
QString authors();
// "О ПРОГРАММЕ": the simulated system, the forces, the version history.
QString about_program();
// "РЕГИСТРАЦИЯ": what the copy of the program is and how it may be used.
QString registration();

} // namespace vp::about_texts
