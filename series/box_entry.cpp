// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/box_entry.h"

#include "model/number_text.h"
#include "series/quantity_names.h"

namespace vp {
namespace {

std::size_t index(Box box)
{
    return static_cast<std::size_t>(box);
}

void run_handler(LabInputs& lab, Box box, std::vector<BoxMessage>& messages)
{
    const Decision d = decide(box, lab.texts[index(box)], lab.p, lab.memories);
    quantity(lab.p, box) = d.value;
    if (d.message)
        messages.push_back({box, *d.message});
    write_box(lab, box, d.text, messages);
    after_write_back(d.after, lab.p);
    if (lab.zagruzka != 0)
        parametr(lab.p, lab.run.n_tochek, lab.c);
}

} // namespace

void start_up(LabInputs& lab, std::vector<BoxMessage>& messages)
{
    lab.zagruzka = 0;
    ZoomSettings zoom;
    predvar(lab.p, lab.run, zoom);
    for (const BoxInfo& info : box_table()) {
        const double value = quantity(lab.p, info.quantity);
        write_box(lab, info.box, info.box == Box::Text1 ? format_number(value, "0.0000") : plain_number_text(value),
                  messages);
    }
    derive_r_shar_2(lab.p);
    derive_r_shar_1(lab.p);
    parametr(lab.p, lab.run.n_tochek, lab.c);
    lab.zagruzka = 1;
}

void write_box(LabInputs& lab, Box box, std::string_view text, std::vector<BoxMessage>& messages)
{
    std::string& current = lab.texts[index(box)];
    if (current == text)
        return;
    current = text;
    run_handler(lab, box, messages);
}

void place_fields(LabInputs& lab, const FieldReading& reading, std::vector<BoxMessage>& messages)
{
    for (std::size_t i = 0; i < reading.values.size() && i < box_count; ++i) {
        const Box box = box_table()[i].box;
        const FieldPlacement placement = place_field(box, reading.values[i]);
        if (placement.value)
            quantity(lab.p, box) = *placement.value;
        write_box(lab, box, placement.text, messages);
    }
}

void enter_value(LabInputs& lab, Quantity q, double value, std::vector<BoxMessage>& messages)
{
    write_box(lab, box_of(q).box, plain_number_text(value), messages);
}

const Message* first_error(const std::vector<BoxMessage>& messages)
{
    for (const BoxMessage& m : messages) {
        if (m.message.kind == MessageKind::error)
            return &m.message;
    }
    return nullptr;
}

} // namespace vp
