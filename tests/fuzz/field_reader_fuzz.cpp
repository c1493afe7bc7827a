// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the parameter file: the field reader, the placement of
// each used field and the loading through the boxes' handlers.

#include "input/number_reading.h"
#include "input/parameter_file.h"
#include "input/validation.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/input/box_window.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    const vp::FieldReading reading = vp::read_parameter_fields(bytes);
    FUZZ_CHECK(reading.fields_read >= 0 && reading.fields_read <= vp::parameter_file_fields);
    FUZZ_CHECK(reading.values.size() <= static_cast<std::size_t>(vp::quantity_count));
    // Fields 2, 5, ..., 38 are the used ones.
    FUZZ_CHECK(reading.values.size() == static_cast<std::size_t>(reading.fields_read + 1) / 3);

    for (std::size_t i = 0; i < reading.values.size(); ++i) {
        const vp::Quantity q = vp::quantity_table()[i].quantity;
        const vp::FieldPlacement placement = vp::place_field(q, reading.values[i]);
        FUZZ_CHECK(!placement.value || std::isfinite(*placement.value));
        // Without a value the box text must make the handler refuse it.
        const vp::NumberReading text = vp::read_number(placement.text);
        FUZZ_CHECK(text.in_range == placement.value.has_value());
        if (!placement.value) {
            vp::WarningMemories m;
            vp::Parameters p;
            const vp::Decision d = vp::decide(q, placement.text, p, m);
            FUZZ_CHECK(d.message && d.message->kind == vp::MessageKind::error);
        }
    }

    static const vp::test::BoxWindow started = [] {
        vp::test::BoxWindow w;
        w.start_up();
        return w;
    }();
    vp::test::BoxWindow w = started;
    w.load(bytes);
    FUZZ_CHECK(!w.runaway);
    for (const vp::QuantityRow& row : vp::quantity_table())
        FUZZ_CHECK(std::isfinite(vp::quantity(w.p, row.quantity)));
    return 0;
}
