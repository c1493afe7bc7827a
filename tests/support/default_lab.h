// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The laboratory as it starts: the default quantities and their
// characteristics. A test that changes a quantity runs parametr() again.
#include "model/characteristics.h"
#include "model/parameters.h"

namespace vp::testing {

struct DefaultLab {
    Parameters p;
    RunSettings run;
    ZoomSettings zoom;
    Characteristics c;

    DefaultLab()
    {
        predvar(p, run, zoom);
        parametr(p, run.n_tochek, c);
    }
};

} // namespace vp::testing
