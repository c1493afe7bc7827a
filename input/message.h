// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace vp {

// A message for a modal box with a single OK button and no icon.
enum class MessageKind { error, warning };

struct Message {
    MessageKind kind = MessageKind::error;
    std::string text;

    // "Ошибка" or "Предупреждение".
    std::string_view title() const { return kind == MessageKind::error ? "Ошибка" : "Предупреждение"; }
};

} // namespace vp
