// SPDX-License-Identifier: GPL-3.0-or-later
// What every row of the quantity table must give, whatever it holds.
#include "input/number_reading.h"
#include "input/quantity_table.h"
#include "input/results_file.h"
#include "input/validation.h"
#include "tests/support/default_lab.h"
#include "texts/number_text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace vp {
namespace {

const std::string advice = "Не вводите заново, а исправьте!";

bool ends_with(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::size_t characters(std::string_view utf8)
{
    std::size_t n = 0;
    for (char c : utf8)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

TEST(QuantityTable, OneRowPerQuantityInItsOrderWithNamesOfItsOwn)
{
    std::set<std::string_view> names, boxes, labels, overlays;
    int previous_field = 0;
    for (const QuantityRow& row : quantity_table()) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(&quantity_row(row.quantity), &row);
        EXPECT_TRUE(names.insert(row.name).second);
        EXPECT_TRUE(boxes.insert(row.box).second);
        EXPECT_TRUE(labels.insert(row.label).second);
        if (!row.overlay.name.empty()) {
            EXPECT_TRUE(overlays.insert(row.overlay.name).second);
            EXPECT_EQ(row.overlay.name, std::string(row.label) + "_2");
        }
        EXPECT_FALSE(row.tooltip.empty());
        // The parameter file's fields follow the order of the table.
        EXPECT_GT(row.file_field, previous_field);
        previous_field = row.file_field;
    }
    EXPECT_LE(previous_field, 40);
}

TEST(QuantityTable, EveryRefusalAdvisesAndPutsAValueTheBoxAccepts)
{
    // No box takes a number beyond a double: each refuses it by its first
    // rule that fits, or as too large, and writes its replacement back.
    const testing::DefaultLab lab;
    for (const QuantityRow& row : quantity_table()) {
        for (const char* typed : {"1e999", "-1e999", "1e15"}) {
            SCOPED_TRACE(std::string(row.box) + " <- " + typed);
            WarningMemories m;
            const Decision d = decide(row.quantity, typed, lab.p, m);
            ASSERT_TRUE(d.message);
            EXPECT_EQ(d.message->kind, MessageKind::error);
            EXPECT_EQ(d.message->title(), "Ошибка");
            EXPECT_TRUE(ends_with(d.message->text, " " + advice)) << d.message->text;
            EXPECT_EQ(d.value, row.replacement(lab.p));
            EXPECT_EQ(d.text, display_text(row.quantity, d.value));
            // The nested run on the written text accepts it as it stands.
            const Decision again = decide(row.quantity, d.text, lab.p, m);
            EXPECT_FALSE(again.message && again.message->kind == MessageKind::error) << again.message->text;
            EXPECT_EQ(again.text, d.text);
        }
        // A complaint is a sentence of its own, and the advice is added once.
        for (const Rule& rule : row.rules) {
            if (!rule.broken)
                continue;
            const std::string complaint(rule.complaint);
            EXPECT_TRUE(ends_with(complaint, "!") || ends_with(complaint, "?")) << complaint;
            EXPECT_EQ(complaint.find(advice), std::string::npos) << complaint;
        }
    }
}

TEST(QuantityTable, AWarningIsNoErrorAndCarriesNoAdvice)
{
    const testing::DefaultLab lab;
    for (const QuantityRow& row : quantity_table()) {
        if (!row.warning.memory)
            continue;
        SCOPED_TRACE(row.box);
        WarningMemories m;
        const Decision d = decide(row.quantity, "0", lab.p, m);
        ASSERT_TRUE(d.message);
        EXPECT_EQ(d.message->kind, MessageKind::warning);
        EXPECT_EQ(d.message->title(), "Предупреждение");
        EXPECT_EQ(d.message->text, row.warning.text);
        EXPECT_FALSE(ends_with(d.message->text, advice));
        EXPECT_EQ(d.value, 0);
        EXPECT_EQ(m.*row.warning.memory, row.warning.text);
    }
}

TEST(QuantityTable, EveryMaskRoundTripsThroughTheReadingRule)
{
    // A text a box is given reads back as a value that gives the same text:
    // the nested run of a write-back settles at once.
    const double values[] = {15.499, 0.30004, -1.123, 16.5678, 1e-7, 123456.789, 0, 0.0010040, 999.99995};
    for (const QuantityRow& row : quantity_table()) {
        for (const std::string_view mask : {row.display_mask, row.start_mask, row.file_mask}) {
            for (double v : values) {
                SCOPED_TRACE(std::string(row.box) + " by \"" + std::string(mask) + "\"");
                const std::string text = mask.empty() ? plain_number_text(v) : format_number(v, mask);
                const NumberReading reading = read_number(text);
                ASSERT_TRUE(reading.in_range) << text;
                const std::string again =
                    mask.empty() ? plain_number_text(reading.value) : format_number(reading.value, mask);
                EXPECT_EQ(again, text);
            }
        }
    }
}

TEST(QuantityTable, CaptionsLeaveRoomForTheirLetterAndTheResultsColumns)
{
    for (const QuantityRow& row : quantity_table()) {
        SCOPED_TRACE(row.box);
        // A Greek letter lies over blanks, never over a caption's text.
        EXPECT_EQ(row.caption.front() == ' ', !row.overlay.name.empty()) << '"' << row.caption << '"';
        // In the results head the box text starts in column 15: the caption
        // or its fixed text leaves at least one blank before it.
        const std::string_view head = row.results_caption.empty() ? row.caption : row.results_caption;
        EXPECT_LE(characters(head), 13u) << '"' << head << '"';
        EXPECT_EQ(print_line({std::string(head), "1"}).find("1", head.size()), head.size() + 14 - characters(head));
    }
}

} // namespace
} // namespace vp
