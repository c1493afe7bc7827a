// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The laboratory's inputs as the window has them after start-up, with the
// quantities a test sets entered through their boxes.
#include "series/box_entry.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace vp::testing {

inline LabInputs started_lab(std::initializer_list<std::pair<Quantity, double>> entered = {})
{
    LabInputs lab;
    std::vector<BoxMessage> messages;
    start_up(lab, messages);
    for (const auto& [q, value] : entered)
        enter_value(lab, q, value, messages);
    EXPECT_EQ(first_error(messages), nullptr);
    return lab;
}

} // namespace vp::testing
