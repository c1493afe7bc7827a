// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plays the main window's part around the input decisions: thirteen box
// texts whose change handlers run synchronously when a text changes, the
// model, the warning memories, the message boxes and the groups last shown
// or hidden. Used by the tests and the fuzz targets alike. Which controls a
// group holds, and which handler decides a control two groups share, are
// the window's (tests/shell).

#include "input/parameter_file.h"
#include "input/quantity_table.h"
#include "input/validation.h"
#include "model/parameters.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vp::test {

class BoxWindow {
public:
    Parameters p;
    WarningMemories memories;
    std::vector<Message> messages;
    // Every text each box has held, in order.
    std::array<std::vector<std::string>, quantity_count> history;
    int handler_runs = 0;
    // Set when a write-back keeps changing the text instead of settling.
    bool runaway = false;

    // The start-up: the defaults, then each box written in turn.
    void start_up()
    {
        RunSettings run;
        ZoomSettings zoom;
        predvar(p, run, zoom);
        for (const QuantityRow& row : quantity_table())
            set_text(row.quantity, start_up_text(row.quantity, quantity(p, row.quantity)));
    }

    // Assigning a box's text: its handler runs only when the text changes.
    void set_text(Quantity q, const std::string& text)
    {
        std::string& current = texts_[index(q)];
        if (current == text)
            return;
        current = text;
        history[index(q)].push_back(text);
        run_handler(q);
    }

    // A text as the user types it: the handler runs even when the text is
    // the box's own.
    void type(Quantity q, const std::string& text)
    {
        if (texts_[index(q)] != text) {
            set_text(q, text);
            return;
        }
        run_handler(q);
    }

    // The parameter-file loader over the file's bytes.
    FieldReading load(std::string_view bytes)
    {
        const FieldReading reading = read_parameter_fields(bytes);
        if (const std::optional<Message> refusal = parameter_file_refusal(reading)) {
            messages.push_back(*refusal);
            return reading;
        }
        for (std::size_t i = 0; i < reading.values.size(); ++i) {
            const Quantity q = quantity_table()[i].quantity;
            const FieldPlacement placement = place_field(q, reading.values[i]);
            if (placement.value)
                quantity(p, q) = *placement.value;
            if (text(q) != placement.text)
                set_text(q, placement.text);
            else if (!value_may_stand(q, placement, placement.text, p, memories))
                type(q, placement.typed);
        }
        if (reading.values_missing())
            messages.push_back(parameter_file_ended_early(reading));
        return reading;
    }

    const std::string& text(Quantity q) const { return texts_[index(q)]; }

    // A group no handler has set yet is shown.
    bool group_visible(Group group) const
    {
        const auto it = groups_.find(group);
        return it == groups_.end() || it->second;
    }
    bool group_hidden(Group group) const { return !group_visible(group); }

    std::vector<std::string> message_texts() const
    {
        std::vector<std::string> texts;
        for (const Message& m : messages)
            texts.push_back(m.text);
        return texts;
    }

private:
    static std::size_t index(Quantity q) { return static_cast<std::size_t>(q); }

    void run_handler(Quantity q)
    {
        if (depth_ == max_depth) {
            runaway = true;
            return;
        }
        ++handler_runs;
        ++depth_;
        const Decision d = decide(q, texts_[index(q)], p, memories);
        quantity(p, q) = d.value;
        if (d.message)
            messages.push_back(*d.message);
        if (d.visibility_before)
            apply(*d.visibility_before);
        set_text(q, d.text);
        if (const auto v = after_write_back(q, p))
            apply(*v);
        --depth_;
    }

    void apply(const Visibility& v) { groups_[v.group] = v.visible; }

    std::array<std::string, quantity_count> texts_{};
    std::map<Group, bool> groups_;
    int depth_ = 0;
    static constexpr int max_depth = 8;
};

} // namespace vp::test
