// SPDX-License-Identifier: GPL-3.0-or-later
#include "series/box_entry.h"

#include "texts/number_text.h"

namespace vp {
namespace {

std::size_t index(Quantity q)
{
    return static_cast<std::size_t>(q);
}

} // namespace

std::string LabPanel::box_text(Quantity q) const
{
    return lab_.texts[index(q)];
}

void LabPanel::write_box(Quantity q, const std::string& text)
{
    std::string& current = lab_.texts[index(q)];
    if (current == text)
        return;
    current = text;
    box_changed(q, *this);
}

void LabPanel::box_message(Quantity q, const Message& message)
{
    messages_.push_back({q, message});
}

void LabPanel::redraw()
{
    if (lab_.zagruzka != 0)
        parametr(lab_.p, lab_.run.n_tochek, lab_.c);
}

void start_up(LabInputs& lab, std::vector<BoxMessage>& messages)
{
    lab.zagruzka = 0;
    ZoomSettings zoom;
    predvar(lab.p, lab.run, zoom);
    LabPanel panel(lab, messages);
    for (const QuantityRow& row : quantity_table())
        panel.write_box(row.quantity, start_up_text(row.quantity, quantity(lab.p, row.quantity)));
    parametr(lab.p, lab.run.n_tochek, lab.c);
    lab.zagruzka = 1;
}

void place_fields(LabInputs& lab, const FieldReading& reading, std::vector<BoxMessage>& messages)
{
    LabPanel panel(lab, messages);
    place_parameter_fields(reading, panel);
}

void enter_value(LabInputs& lab, Quantity q, double value, std::vector<BoxMessage>& messages)
{
    LabPanel(lab, messages).write_box(q, plain_number_text(value));
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
