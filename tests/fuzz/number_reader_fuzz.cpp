// SPDX-License-Identifier: GPL-3.0-or-later
// Arbitrary bytes as the text of a box: the number reader, then every box's
// handler with the nested runs of its write-back.

#include "input/number_reading.h"
#include "input/validation.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/input/box_window.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);

    const vp::NumberReading reading = vp::read_number(text);
    FUZZ_CHECK(std::isfinite(reading.value));
    FUZZ_CHECK(reading.in_range || reading.value == 0);

    static const vp::test::BoxWindow started = [] {
        vp::test::BoxWindow w;
        w.start_up();
        return w;
    }();
    for (const vp::QuantityRow& row : vp::quantity_table()) {
        vp::test::BoxWindow w = started;
        w.set_text(row.quantity, text);
        FUZZ_CHECK(!w.runaway);
        const double value = vp::quantity(w.p, row.quantity);
        FUZZ_CHECK(std::isfinite(value));
        // Derived replacements may reach 1.3 times the limit, no further.
        FUZZ_CHECK(std::fabs(value) < 1.3 * vp::largest_magnitude);
        FUZZ_CHECK(std::isfinite(w.p.r_shar_2) && std::isfinite(w.p.r_shar_1));
        FUZZ_CHECK(w.messages.size() <= 2);
        const vp::NumberReading shown = vp::read_number(w.text(row.quantity));
        FUZZ_CHECK(shown.in_range);
    }
    return 0;
}
