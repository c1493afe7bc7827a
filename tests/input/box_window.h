// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Plays the main window's part around the input decisions: thirteen box
// texts whose change handlers run synchronously when a text changes, the
// model, the warning memories, the message boxes and the visibility of the
// controls. Used by the tests and the fuzz targets alike.

#include "input/boxes.h"
#include "input/parameter_file.h"
#include "input/validation.h"
#include "model/number_text.h"
#include "model/parameters.h"

#include <array>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vp::test {

// The controls of each group, as the window holds them; groups share some.
inline const std::vector<std::string_view>& group_controls(Group group)
{
    static const std::map<Group, std::vector<std::string_view>> groups = {
        {Group::sphere,
         {"Label4", "Text4", "Label7", "Text7", "Label8", "Text8", "Label12", "Label12_2", "Label13", "Label33",
          "Label33_2", "Label16", "Label16_2", "Label25", "Label25_2", "Label27", "Label27_2", "Label28"}},
        {Group::rod, {"Label14", "Label14_2", "Label9", "Text9", "Label34", "Text34"}},
        {Group::quadratic_drag, {"Label26", "Label26_2"}},
        {Group::medium, {"Label13", "Label26", "Label26_2"}},
        {Group::viscosity, {"Label16", "Label16_2", "Label27", "Label27_2", "Label28"}},
    };
    return groups.at(group);
}

class BoxWindow {
public:
    Parameters p;
    WarningMemories memories;
    std::vector<Message> messages;
    // Every text each box has held, in order.
    std::array<std::vector<std::string>, box_count> history;
    int handler_runs = 0;
    // Set when a write-back keeps changing the text instead of settling.
    bool runaway = false;

    // The start-up: the defaults, then each box written in turn.
    void start_up()
    {
        RunSettings run;
        ZoomSettings zoom;
        predvar(p, run, zoom);
        for (const BoxInfo& info : box_table()) {
            const double value = quantity(p, info.quantity);
            set_text(info.box, info.box == Box::Text1 ? format_number(value, "0.0000") : plain_number_text(value));
        }
        derive_r_shar_2(p);
        derive_r_shar_1(p);
    }

    // Assigning a box's text: its handler runs only when the text changes.
    void set_text(Box box, const std::string& text)
    {
        std::string& current = texts_[index(box)];
        if (current == text)
            return;
        current = text;
        history[index(box)].push_back(text);
        run_handler(box);
    }

    // A text as the user types it: the handler runs even when the text is
    // the box's own.
    void type(Box box, const std::string& text)
    {
        if (texts_[index(box)] != text) {
            set_text(box, text);
            return;
        }
        run_handler(box);
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
            const Box box = box_table()[i].box;
            const FieldPlacement placement = place_field(box, reading.values[i]);
            if (placement.value)
                quantity(p, box) = *placement.value;
            if (text(box) != placement.text)
                set_text(box, placement.text);
            else if (!value_may_stand(box, placement, placement.text, p, memories))
                type(box, placement.typed);
        }
        if (reading.values_missing())
            messages.push_back(parameter_file_ended_early(reading));
        return reading;
    }

    const std::string& text(Box box) const { return texts_[index(box)]; }

    bool visible(std::string_view control) const
    {
        const auto it = visible_.find(std::string(control));
        return it == visible_.end() || it->second;
    }

    bool group_visible(Group group) const
    {
        bool all = true;
        for (std::string_view control : group_controls(group))
            all = all && visible(control);
        return all;
    }

    bool group_hidden(Group group) const
    {
        bool none = true;
        for (std::string_view control : group_controls(group))
            none = none && !visible(control);
        return none;
    }

    std::vector<std::string> message_texts() const
    {
        std::vector<std::string> texts;
        for (const Message& m : messages)
            texts.push_back(m.text);
        return texts;
    }

private:
    static std::size_t index(Box box) { return static_cast<std::size_t>(box); }

    void run_handler(Box box)
    {
        if (depth_ == max_depth) {
            runaway = true;
            return;
        }
        ++handler_runs;
        ++depth_;
        const Decision d = decide(box, texts_[index(box)], p, memories);
        quantity(p, box) = d.value;
        if (d.message)
            messages.push_back(*d.message);
        if (d.visibility_before)
            apply(*d.visibility_before);
        set_text(box, d.text);
        if (const auto v = after_write_back(d.after, p))
            apply(*v);
        --depth_;
    }

    void apply(const Visibility& v)
    {
        for (std::string_view control : group_controls(v.group))
            visible_[std::string(control)] = v.visible;
    }

    std::array<std::string, box_count> texts_{};
    std::map<std::string, bool> visible_;
    int depth_ = 0;
    static constexpr int max_depth = 8;
};

} // namespace vp::test
