// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/layout.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace vp {
namespace {

// Where a pass put the control of that name.
const PlaceF& at(const WindowLayout& pass, const char* name)
{
    const PlaceF* place = pass.find(control_named(name));
    if (place == nullptr)
        throw std::logic_error(std::string("the layout does not place ") + name);
    return *place;
}

struct Expected {
    const char* name;
    float left, top, width, height;
};

void expect_places(const WindowLayout& pass, std::initializer_list<Expected> expected)
{
    for (const Expected& e : expected) {
        const PlaceF& p = at(pass, e.name);
        EXPECT_FLOAT_EQ(p.left, e.left) << e.name;
        EXPECT_FLOAT_EQ(p.top, e.top) << e.name;
        EXPECT_FLOAT_EQ(p.width, e.width) << e.name;
        EXPECT_FLOAT_EQ(p.height, e.height) << e.name;
    }
}

TEST(Layout, DesignedClientArea)
{
    const WindowLayout pass = layout(700, 532);
    expect_places(pass, {
                            {"Label10", 356, 4, 168, 26},       {"Text1", 440, 34, 84, 26},
                            {"Label20", 356, 394, 84, 26},      {"Text20", 440, 394, 84, 26},
                            {"Label3_2", 356, 274 - 5, 13, 26}, {"Label19_2", 356, 364 - 5, 17, 26},
                            {"Label11", 528, 4, 168, 26},       {"Label12", 528, 34, 168, 26},
                            {"Label12_2", 530, 32, 10, 26},     {"Label33_2", 530, 64, 14, 26},
                            {"Label36", 528, 484, 168, 26},     {"HScroll1", 356, 424, 80, 13},
                            {"Label21", 391.5f, 437, 21, 26},   {"HScroll2", 444, 424, 80, 13},
                            {"Label32", 469, 437, 42, 26},      {"Frame1", 356, 467, 97.44f, 62.4f},
                            {"CmdOK", 457.44f, 467, 67.2f, 26}, {"Check_p", 457.44f, 497, 67.2f, 26},
                            {"Label29", 4, 472, 168, 26},       {"Label30", 4, 502, 168, 26},
                            {"Label31", 176, 472, 168, 26},     {"Label37", 176, 502, 168, 26},
                            {"Picture1", 4, 4, 348, 348},       {"Picture2", 4, 4, 348, 348},
                            {"VScroll1", 4, 4, 13, 112},        {"Picture3", 17, 4, 331, 112},
                            {"VScroll2", 4, 120, 13, 112},      {"Picture4", 17, 120, 331, 112},
                            {"VScroll3", 4, 236, 13, 112},      {"Picture14", 17, 236, 331, 112},
                        });
    EXPECT_EQ(pass.plane_copy.source_width, 348);
    EXPECT_EQ(pass.plane_copy.destination_width, 348);
    EXPECT_EQ(pass.plane_copy.destination_height, 348.0f);
}

TEST(Layout, AnUnknownNameIsALoudFailure)
{
    EXPECT_EQ(control_name(control_named("Label12_2")), "Label12_2");
    EXPECT_THROW(control_named("Label12_3"), std::invalid_argument);
}

TEST(Layout, EveryControlOnceAndInventoryComplete)
{
    const WindowLayout pass = layout(700, 532);
    // 13 rows of two, 4 input overlays, 2 headings, 16 characteristics with
    // 9 overlays, 4 current values, 7 run controls, 5 pictures, 3 zoom bars:
    // every control but the two option buttons inside their frame.
    EXPECT_EQ(pass.placements.size(), 26u + 4 + 2 + 16 + 9 + 4 + 7 + 5 + 3);
    EXPECT_EQ(pass.placements.size(), control_count - 2);
    for (std::size_t i = 0; i < pass.placements.size(); ++i)
        for (std::size_t j = i + 1; j < pass.placements.size(); ++j)
            EXPECT_NE(pass.placements[i].control, pass.placements[j].control);
}

TEST(Layout, WiderWindowMovesThePanelsAndGrowsTheSquare)
{
    const WindowLayout narrow = layout(700, 532);
    const WindowLayout wide = layout(800, 532);
    for (const char* moved :
         {"Label10", "Text1", "Label11", "Label36", "HScroll1", "HScroll2", "Label21", "Frame1", "CmdOK", "Check_p"}) {
        EXPECT_FLOAT_EQ(at(wide, moved).left, at(narrow, moved).left + 100) << moved;
        EXPECT_FLOAT_EQ(at(wide, moved).top, at(narrow, moved).top) << moved;
    }
    for (const char* fixed : {"Label29", "Label30", "Label31", "Label37"})
        EXPECT_FLOAT_EQ(at(wide, fixed).left, at(narrow, fixed).left) << fixed;
    EXPECT_FLOAT_EQ(at(wide, "Picture1").width, 448);
    EXPECT_FLOAT_EQ(at(wide, "Picture2").height, 448);
    EXPECT_FLOAT_EQ(at(wide, "Picture3").width, 431);
    EXPECT_FLOAT_EQ(at(wide, "Picture3").height, 448.0f / 3 - 4);
    EXPECT_FLOAT_EQ(at(wide, "Picture14").top, 2 * (448.0f / 3 - 4) + 12);
}

TEST(Layout, TallerWindowMovesOnlyTheCurrentValues)
{
    const WindowLayout low = layout(700, 532);
    const WindowLayout tall = layout(700, 632);
    for (std::size_t i = 0; i < low.placements.size(); ++i) {
        const std::string_view name = control_name(low.placements[i].control);
        const bool bottom = name == "Label29" || name == "Label30" || name == "Label31" || name == "Label37";
        EXPECT_FLOAT_EQ(tall.placements[i].place.top, low.placements[i].place.top + (bottom ? 100 : 0)) << name;
    }
}

TEST(Layout, AWideLowWindowEndsTheSquareAboveTheCurrentValues)
{
    // At 900 x 532 the square from the width would end at 552.
    const WindowLayout wide = layout(900, 532);
    expect_places(wide, {{"Picture1", 4, 4, 468, 468},
                         {"Picture2", 4, 4, 468, 468},
                         {"Picture3", 17, 4, 451, 152},
                         {"Picture14", 17, 316, 451, 152},
                         {"Label29", 4, 472, 168, 26},
                         {"Label10", 556, 4, 168, 26}});
    // Where the square from the width fits, it is kept: up to the very edge.
    const WindowLayout fits = layout(820, 532);
    const WindowLayout narrower = layout(819, 532);
    EXPECT_FLOAT_EQ(at(fits, "Picture1").width, 468);
    EXPECT_FLOAT_EQ(at(narrower, "Picture1").width, 467);
}

// Controls that may share pixels: the Greek letters lie over labels, and
// the animation's pair and the graphs take turns in the drawing area.
bool may_overlap(std::string_view a, std::string_view b)
{
    auto overlay = [](std::string_view n) { return n.size() > 2 && n.substr(n.size() - 2) == "_2"; };
    auto label = [](std::string_view n) { return n.substr(0, 5) == "Label"; };
    auto animation = [](std::string_view n) { return n == "Picture1" || n == "Picture2"; };
    auto graphs = [](std::string_view n) {
        return n.substr(0, 7) == "VScroll" || n == "Picture3" || n == "Picture4" || n == "Picture14";
    };
    return (overlay(a) && label(b)) || (overlay(b) && label(a)) || (animation(a) && animation(b)) ||
           (animation(a) && graphs(b)) || (graphs(a) && animation(b));
}

TEST(Layout, AtAnySizeFromTheMinimumNothingOverlapsAndAllIsInside)
{
    const ClientSize least = minimum_client_size();
    EXPECT_EQ(least.width, 692);
    EXPECT_EQ(least.height, 530);
    for (const auto& [w, h] :
         {std::pair{least.width, least.height}, std::pair{700, 532}, std::pair{900, 532}, std::pair{1000, 532},
          std::pair{1920, 1080}, std::pair{1920, 1031}, std::pair{700, 1000}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(h));
        const WindowLayout pass = layout(w, h);
        for (std::size_t i = 0; i < pass.placements.size(); ++i) {
            const std::string_view a = control_name(pass.placements[i].control);
            const ControlRect r = to_pixels(pass.placements[i].place);
            EXPECT_TRUE(r.left >= 0 && r.top >= 0 && r.left + r.width <= w && r.top + r.height <= h) << a;
            for (std::size_t j = i + 1; j < pass.placements.size(); ++j) {
                const std::string_view b = control_name(pass.placements[j].control);
                const ControlRect q = to_pixels(pass.placements[j].place);
                const bool apart = r.left + r.width <= q.left || q.left + q.width <= r.left ||
                                   r.top + r.height <= q.top || q.top + q.height <= r.top;
                EXPECT_TRUE(apart || may_overlap(a, b)) << a << " and " << b;
            }
        }
    }
}

TEST(Layout, TooSmallClientAreaClampsToZero)
{
    for (const auto& [w, h] : {std::pair{368, 532}, std::pair{200, 100}, std::pair{0, 0}}) {
        const WindowLayout pass = layout(w, h);
        for (const Placement& p : pass.placements) {
            const ControlRect r = to_pixels(p.place);
            EXPECT_GE(r.width, 0) << control_name(p.control) << " at " << w << "x" << h;
            EXPECT_GE(r.height, 0) << control_name(p.control) << " at " << w << "x" << h;
        }
        EXPECT_GE(pass.plane_copy.source_width, 0);
    }
    EXPECT_EQ(to_pixels(at(layout(368, 532), "Picture3")).width, 0);
}

TEST(Layout, PixelsRoundEachEdgeOnce)
{
    const ControlRect frame = to_pixels({356, 467, 97.44f, 62.4f});
    EXPECT_EQ(frame.left, 356);
    EXPECT_EQ(frame.width, 97);
    EXPECT_EQ(frame.height, 62);
    const ControlRect button = to_pixels({457.44f, 467, 67.2f, 26});
    EXPECT_EQ(button.left, 457);
    EXPECT_EQ(button.width, 68); // right edge 524.64 -> 525: no gap to its neighbours
    EXPECT_EQ(to_pixels({391.5f, 437, 21, 26}).left, 392);
}

} // namespace
} // namespace vp
