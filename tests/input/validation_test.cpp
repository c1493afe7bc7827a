// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/validation.h"

#include "tests/input/box_window.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vp {
namespace {

using test::BoxWindow;

// One edit of a box after the start-up, possibly with other quantities set
// first, and what the window ends with.
struct EditCase {
    const char* what;
    std::function<void(Parameters&)> before;
    Quantity box;
    const char* typed;
    double value;
    const char* text;
    std::vector<std::string> messages;
    std::optional<Visibility> group;
};

void run_cases(const std::vector<EditCase>& cases)
{
    for (const EditCase& c : cases) {
        SCOPED_TRACE(c.what);
        BoxWindow w;
        w.start_up();
        if (c.before)
            c.before(w.p);
        w.set_text(c.box, c.typed);
        EXPECT_FALSE(w.runaway);
        EXPECT_EQ(quantity(w.p, c.box), c.value);
        EXPECT_EQ(w.text(c.box), c.text);
        EXPECT_EQ(w.message_texts(), c.messages);
        // Errors, and only errors, end with the advice.
        for (const Message& m : w.messages) {
            const std::string advice = "Не вводите заново, а исправьте!";
            const bool advised = m.text.size() >= advice.size() &&
                                 m.text.compare(m.text.size() - advice.size(), advice.size(), advice) == 0;
            EXPECT_EQ(m.kind == MessageKind::error, advised) << m.text;
        }
        if (c.group) {
            if (c.group->visible)
                EXPECT_TRUE(w.group_visible(c.group->group));
            else
                EXPECT_TRUE(w.group_hidden(c.group->group));
        }
    }
}

const std::string both_masses = "Обе массы равны 0! Что качается? Не вводите заново, а исправьте!";
const std::string no_oscillation = "При нулевых начальных условиях колебаний не будет! Не вводите заново, а исправьте!";
const std::string drag_off = "при с=0 сила ~v^2 не учитывается!";

TEST(StartUp, DefaultsPassEveryHandlerSilently)
{
    BoxWindow w;
    w.start_up();
    const std::vector<std::string> expected = {"15.4990", "0.4000", "0.3000", "0.470",     "1.5000",
                                               "0.5881",  "0.0080", "1.200",  "1000.0000", "0.0010040",
                                               "37.000",  "-3.500", " 16"};
    for (const QuantityRow& row : quantity_table())
        EXPECT_EQ(w.text(row.quantity), expected[static_cast<std::size_t>(row.quantity)]);
    EXPECT_TRUE(w.messages.empty());
    for (Group g : {Group::sphere, Group::rod, Group::quadratic_drag, Group::medium, Group::viscosity})
        EXPECT_TRUE(w.group_visible(g));
    EXPECT_EQ(w.p.massa, 15.499);
    EXPECT_EQ(w.p.eta, 0.001004);
    EXPECT_EQ(w.p.r_shar_1, 0.15f);
}

TEST(SphereBoxes, ErrorsWarningsAndGroups)
{
    auto no_rod = [](Parameters& p) { p.massa_st = 0; };
    auto no_cavity = [](Parameters& p) { p.diametr_1 = 0; };
    auto no_rod_drag = [](Parameters& p) { p.c_ster = 0; };
    run_cases({
        {"Text1: 1,5 reads as 1", {}, Quantity::massa, "1,5", 1, "1.0000", {}, Visibility{Group::sphere, true}},
        {"Text1: rounded by the write-back", {}, Quantity::massa, "15.49904", 15.499, "15.4990", {}, {}},
        {"Text1: empty with a rod",
         {},
         Quantity::massa,
         "",
         0,
         "0.0000",
         {"Можно и так! Качается только стержень!"},
         Visibility{Group::sphere, false}},
        {"Text1: empty without a rod",
         no_rod,
         Quantity::massa,
         "",
         15.499,
         "15.4990",
         {both_masses},
         Visibility{Group::sphere, true}},
        {"Text1: negative",
         {},
         Quantity::massa,
         "-2",
         15.499,
         "15.4990",
         {"не может быть отрицательной! Не вводите заново, а исправьте!"},
         {}},
        {"Text1: beyond a double, negative",
         {},
         Quantity::massa,
         "-1e999",
         15.499,
         "15.4990",
         {"не может быть отрицательной! Не вводите заново, а исправьте!"},
         {}},
        {"Text1: beyond a double",
         {},
         Quantity::massa,
         "1e999",
         15.499,
         "15.4990",
         {"не может быть такой большой! Не вводите заново, а исправьте!"},
         {}},
        {"Text1: 1e15 is too large",
         {},
         Quantity::massa,
         "1e15",
         15.499,
         "15.4990",
         {"не может быть такой большой! Не вводите заново, а исправьте!"},
         {}},
        {"Text1: fifteen digits are not",
         {},
         Quantity::massa,
         "999999999999999",
         999999999999999,
         "999999999999999.0000",
         {},
         {}},

        {"Text4: equal to d1",
         {},
         Quantity::diametr_2,
         "0.3",
         0.39,
         "0.3900",
         {"Не может быть <=d1! Не вводите заново, а исправьте!"},
         {}},
        {"Text4: 0.30004 rounds onto d1 in the nested run",
         {},
         Quantity::diametr_2,
         "0.30004",
         0.39,
         "0.3900",
         {"Не может быть <=d1! Не вводите заново, а исправьте!"},
         {}},
        {"Text4: zero",
         {},
         Quantity::diametr_2,
         "0",
         0.39,
         "0.3900",
         {"Не может быть отрицательным или 0! Не вводите заново, а исправьте!"},
         {}},
        {"Text4: zero with a solid ball",
         no_cavity,
         Quantity::diametr_2,
         "0",
         0.4,
         "0.4000",
         {"Не может быть отрицательным или 0! Не вводите заново, а исправьте!"},
         {}},
        {"Text4: above dlina is accepted", {}, Quantity::diametr_2, "2", 2, "2.0000", {}, {}},
        {"Text4: beyond a double",
         {},
         Quantity::diametr_2,
         "1e999",
         0.39,
         "0.3900",
         {"Не может быть таким большим! Не вводите заново, а исправьте!"},
         {}},

        {"Text7: equal to d2",
         {},
         Quantity::diametr_1,
         "0.4",
         0.28,
         "0.2800",
         {"Не может быть >=d2! Не вводите заново, а исправьте!"},
         {}},
        {"Text7: negative",
         {},
         Quantity::diametr_1,
         "-0.1",
         0.28,
         "0.2800",
         {"Не может быть отрицательным! Не вводите заново, а исправьте!"},
         {}},
        {"Text7: beyond a double is not below d2",
         {},
         Quantity::diametr_1,
         "1e999",
         0.28,
         "0.2800",
         {"Не может быть >=d2! Не вводите заново, а исправьте!"},
         {}},
        {"Text7: a solid ball", {}, Quantity::diametr_1, "0", 0, "0.0000", {"Можно и так! Качается шар!"}, {}},

        {"Text8: negative",
         {},
         Quantity::c_shar,
         "-1",
         0.47,
         "0.470",
         {"Не может быть отрицательным! Не вводите заново, а исправьте!"},
         {}},
        {"Text8: zero, rod drag left",
         {},
         Quantity::c_shar,
         "0",
         0,
         "0.000",
         {drag_off},
         Visibility{Group::quadratic_drag, true}},
        {"Text8: zero, no drag left",
         no_rod_drag,
         Quantity::c_shar,
         "0",
         0,
         "0.000",
         {drag_off},
         Visibility{Group::quadratic_drag, false}},
        // The outer run sees 0.0004; the pair follows the nested run's 0.
        {"Text8: rounds to zero",
         no_rod_drag,
         Quantity::c_shar,
         "0.0004",
         0,
         "0.000",
         {drag_off},
         Visibility{Group::quadratic_drag, false}},
    });
}

TEST(RodBoxes, ErrorsWarningsAndGroups)
{
    auto no_sphere = [](Parameters& p) { p.massa = 0; };
    auto no_sphere_drag = [](Parameters& p) { p.c_shar = 0; };
    run_cases({
        {"Text2: shorter than d2",
         {},
         Quantity::dlina,
         "0.3",
         0.44,
         "0.4400",
         {"Не может быть меньше внешнего диаметра! Не вводите заново, а исправьте!"},
         {}},
        {"Text2: equal to d2", {}, Quantity::dlina, "0.4", 0.4, "0.4000", {}, {}},
        {"Text2: beyond a double",
         {},
         Quantity::dlina,
         "1e999",
         0.44,
         "0.4400",
         {"Не может быть такой большой! Не вводите заново, а исправьте!"},
         {}},
        {"Text2: beyond a double, negative",
         {},
         Quantity::dlina,
         " - 1e999",
         0.44,
         "0.4400",
         {"Не может быть меньше внешнего диаметра! Не вводите заново, а исправьте!"},
         {}},

        {"Text6: empty with a sphere",
         {},
         Quantity::massa_st,
         "",
         0,
         "0.0000",
         {"Можно и так! Cтержень невесомый и тонкий!"},
         Visibility{Group::rod, false}},
        {"Text6: empty without a sphere",
         no_sphere,
         Quantity::massa_st,
         "",
         1.2345,
         "1.2345",
         {both_masses},
         Visibility{Group::rod, true}},
        {"Text6: negative",
         {},
         Quantity::massa_st,
         "-1",
         1.2345,
         "1.2345",
         {"не может быть отрицательной! Не вводите заново, а исправьте!"},
         {}},

        {"Text9: zero",
         {},
         Quantity::diametr_s,
         "0",
         0.008,
         "0.0080",
         {"не может быть отрицательной или =0! Не вводите заново, а исправьте!"},
         {}},
        {"Text9: rounds to zero in the nested run",
         {},
         Quantity::diametr_s,
         "0.00004",
         0.008,
         "0.0080",
         {"не может быть отрицательной или =0! Не вводите заново, а исправьте!"},
         {}},
        {"Text9: too large",
         {},
         Quantity::diametr_s,
         "2e15",
         0.008,
         "0.0080",
         {"не может быть такой большой! Не вводите заново, а исправьте!"},
         {}},

        {"Text34: negative",
         {},
         Quantity::c_ster,
         "-1",
         1.2,
         "1.200",
         {"Не может быть отрицательным! Не вводите заново, а исправьте!"},
         {}},
        {"Text34: zero, sphere drag left",
         {},
         Quantity::c_ster,
         "0",
         0,
         "0.000",
         {drag_off},
         Visibility{Group::quadratic_drag, true}},
        {"Text34: zero, no drag left",
         no_sphere_drag,
         Quantity::c_ster,
         "0",
         0,
         "0.000",
         {drag_off},
         Visibility{Group::quadratic_drag, false}},
    });
}

TEST(MediumBoxes, ErrorsWarningsAndGroups)
{
    run_cases({
        {"Text3: zero",
         {},
         Quantity::ro_0,
         "0",
         0,
         "0.0000",
         {"Если хотите вакуум, то задайте и вязкость=0!"},
         Visibility{Group::medium, false}},
        {"Text3: negative",
         {},
         Quantity::ro_0,
         "-5",
         1.23,
         "1.2300",
         {"не может быть отрицательной! Не вводите заново, а исправьте!"},
         Visibility{Group::medium, true}},
        {"Text5: 0.00000004 is written back as 0",
         {},
         Quantity::eta,
         "0.00000004",
         0,
         "0.0000000",
         {"Если хотите вакуум, то задайте и плотность среды=0!"},
         Visibility{Group::viscosity, false}},
        {"Text5: negative",
         {},
         Quantity::eta,
         "-1",
         0.001004,
         "0.0010040",
         {"не может быть отрицательным! Не вводите заново, а исправьте!"},
         Visibility{Group::viscosity, true}},
        {"Text5: too large",
         {},
         Quantity::eta,
         "1e20",
         0.001004,
         "0.0010040",
         {"не может быть таким большим! Не вводите заново, а исправьте!"},
         {}},
    });
}

TEST(MotionBoxes, ErrorsAndPlainNumberText)
{
    auto at_rest = [](Parameters& p) { p.wz0 = 0; };
    auto upright = [](Parameters& p) { p.fi0 = 0; };
    const std::string must_be_positive = "Должно быть больше 0! Не вводите заново, а исправьте!";
    run_cases({
        {"Text18: zero at rest", at_rest, Quantity::fi0, "0", 17.123, "17.123", {no_oscillation}, {}},
        {"Text18: zero while moving", {}, Quantity::fi0, "0", 0, "0.000", {}, {}},
        {"Text18: beyond a double",
         {},
         Quantity::fi0,
         "-1e999",
         17.123,
         "17.123",
         {"Не может быть таким большим по модулю! Не вводите заново, а исправьте!"},
         {}},
        {"Text19: zero from the vertical", upright, Quantity::wz0, "0", -1.123, "-1.123", {no_oscillation}, {}},
        {"Text19: its own zero text from the vertical",
         upright,
         Quantity::wz0,
         "0.000",
         -1.123,
         "-1.123",
         {no_oscillation},
         {}},
        {"Text19: not a number from the vertical",
         upright,
         Quantity::wz0,
         "abc",
         -1.123,
         "-1.123",
         {no_oscillation},
         {}},
        {"Text19: beyond a double",
         {},
         Quantity::wz0,
         "1e999",
         -1.123,
         "-1.123",
         {"Не может быть такой большой по модулю! Не вводите заново, а исправьте!"},
         {}},
        {"Text20: half a second", {}, Quantity::Tmax, "0.5", 0.5, " .5", {}, {}},
        {"Text20: negative", {}, Quantity::Tmax, "-3", 40, " 40", {must_be_positive}, {}},
        {"Text20: trailing zeros go", {}, Quantity::Tmax, "16.000", 16, " 16", {}, {}},
        {"Text20: small values in E form", {}, Quantity::Tmax, "1e-5", 1e-5, " 1E-05", {}, {}},
        {"Text20: too large",
         {},
         Quantity::Tmax,
         "1e15",
         40,
         " 40",
         {"Не может быть таким большим! Не вводите заново, а исправьте!"},
         {}},
    });
}

TEST(Radii, FollowTheDiametersAfterTheNestedRun)
{
    BoxWindow w;
    w.start_up();
    w.set_text(Quantity::diametr_2, "0.30004");
    EXPECT_EQ(w.p.diametr_2, 0.39);
    EXPECT_EQ(w.p.r_shar_2, 0.195);
    w.set_text(Quantity::diametr_1, "0.3");
    EXPECT_EQ(w.p.r_shar_1, static_cast<float>(0.15));
    EXPECT_EQ(static_cast<double>(w.p.r_shar_1), 0.15000000596046448);
}

TEST(WarningMemories, SixWarningsAreShownOnce)
{
    const struct {
        Quantity box;
        const char* other;
    } cases[] = {
        {Quantity::massa, "1"},    {Quantity::massa_st, "1"}, {Quantity::c_shar, "0.5"},
        {Quantity::c_ster, "0.5"}, {Quantity::ro_0, "1"},     {Quantity::eta, "0.5"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(quantity_row(c.box).box);
        BoxWindow w;
        w.start_up();
        w.set_text(c.box, "0");
        ASSERT_EQ(w.messages.size(), 1u);
        EXPECT_EQ(w.messages[0].kind, MessageKind::warning);
        EXPECT_EQ(w.messages[0].title(), "Предупреждение");
        w.set_text(c.box, c.other);
        w.set_text(c.box, "0");
        w.set_text(c.box, "0.000");
        EXPECT_EQ(w.messages.size(), 1u);
    }
}

TEST(WarningMemories, SolidBallWarnsAgainAfterEveryEdit)
{
    BoxWindow w;
    w.start_up();
    w.set_text(Quantity::diametr_1, "0.0000");
    EXPECT_EQ(w.memories.predupr_d1, "Можно и так! Качается шар!");
    // Deleting the last zero: the first run sets the marker, the nested run
    // on "0.0000" warns.
    w.set_text(Quantity::diametr_1, "0.000");
    EXPECT_EQ(w.message_texts(),
              (std::vector<std::string>{"Можно и так! Качается шар!", "Можно и так! Качается шар!"}));
    EXPECT_EQ(w.text(Quantity::diametr_1), "0.0000");

    // Typing "0" warns once: the nested run on "0.0000" leaves the marker.
    w.set_text(Quantity::diametr_1, "0.3");
    w.messages.clear();
    w.set_text(Quantity::diametr_1, "0");
    EXPECT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.memories.predupr_d1, sphere_marker);

    // The same edit in Text1 shows nothing the second time.
    w.set_text(Quantity::massa, "0.0000");
    w.set_text(Quantity::massa, "0.000");
    EXPECT_EQ(w.messages.size(), 2u);
}

TEST(WarningMemories, AnErrorOfTheInnerDiameterSetsTheMarker)
{
    WarningMemories m;
    m.predupr_d1 = "Можно и так! Качается шар!";
    Parameters p;
    p.diametr_2 = 0.4;
    const Decision d = decide(Quantity::diametr_1, "1", p, m);
    EXPECT_EQ(d.value, 0.7 * 0.4);
    EXPECT_EQ(m.predupr_d1, sphere_marker);
}

TEST(Groups, EachHandlerSetsItsGroupWhateverAnotherSet)
{
    // The medium and the quadratic drag share the drag parameter's label;
    // each handler sets its own group each time it runs, and the window
    // shows a shared control as the last one decided.
    BoxWindow w;
    w.start_up();
    w.set_text(Quantity::ro_0, "0");
    EXPECT_TRUE(w.group_hidden(Group::medium));
    w.set_text(Quantity::c_shar, "0.5");
    EXPECT_TRUE(w.group_visible(Group::quadratic_drag));
    EXPECT_TRUE(w.group_hidden(Group::medium));
    EXPECT_EQ(w.p.ro_0, 0);
}

TEST(Groups, BothDragCoefficientsZeroWarnOncePerBox)
{
    BoxWindow w;
    w.start_up();
    w.set_text(Quantity::c_shar, "0");
    w.set_text(Quantity::c_ster, "0");
    EXPECT_TRUE(w.group_hidden(Group::quadratic_drag));
    EXPECT_EQ(w.message_texts(), (std::vector<std::string>{drag_off, drag_off}));
}

} // namespace
} // namespace vp
