// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/control_id.h"

#include <array>
#include <stdexcept>
#include <string>

namespace vp {
namespace {

constexpr std::array<std::string_view, control_count> names = {
#define VP_CONTROL_NAME(name) #name,
    VP_CONTROLS(VP_CONTROL_NAME)
#undef VP_CONTROL_NAME
};

} // namespace

std::string_view control_name(Ctl control)
{
    return names.at(static_cast<std::size_t>(control));
}

Ctl control_named(std::string_view name)
{
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (names[i] == name)
            return static_cast<Ctl>(i);
    }
    throw std::invalid_argument("the main window has no control named " + std::string(name));
}

} // namespace vp
