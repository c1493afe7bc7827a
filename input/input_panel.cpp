// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/input_panel.h"

namespace vp {

void box_changed(Quantity q, InputPanel& panel)
{
    Parameters& p = panel.parameters();
    const Decision d = decide(q, panel.box_text(q), p, panel.memories());
    quantity(p, q) = d.value;
    if (d.message)
        panel.box_message(q, *d.message);
    if (d.visibility_before)
        panel.apply_visibility(*d.visibility_before);
    // Runs this handler again, nested, when it changes the text.
    panel.write_back(q, d.text);
    if (const std::optional<Visibility> v = after_write_back(q, p))
        panel.apply_visibility(*v);
    panel.redraw();
}

void place_parameter_fields(const FieldReading& reading, InputPanel& panel)
{
    for (std::size_t i = 0; i < reading.values.size() && i < quantity_table().size(); ++i) {
        const Quantity q = quantity_table()[i].quantity;
        const FieldPlacement placement = place_field(q, reading.values[i]);
        if (placement.value)
            quantity(panel.parameters(), q) = *placement.value;
        // The box's handler runs only when the text changes; an unchanged
        // text leaves the quantity as the file gave it, where it may stand.
        if (panel.box_text(q) != placement.text) {
            panel.write_box(q, placement.text);
        } else if (!value_may_stand(q, placement, placement.text, panel.parameters(), panel.memories())) {
            if (panel.box_text(q) != placement.typed)
                panel.write_box(q, placement.typed);
            else
                box_changed(q, panel);
        }
    }
}

} // namespace vp
