// SPDX-License-Identifier: GPL-3.0-or-later
// Runs of the main window: the start/stop button, the integration loop as
// the user watches it, the bars that tune it and the window's state around it.
#include "form1_test_support.h"

#include "model/constants.h"
#include "platform/canvas_widget.h"

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QTextStream>

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace vp::testing {
namespace {

const QString plain_title = QStringLiteral("Колебания толстостенной сферы на массивном стержне в вязкой среде");
const QString during_title = QStringLiteral("При работе размер окна изменить нельзя!");

QString report(int seconds)
{
    return QStringLiteral(". Время расчёта -  %1 c").arg(seconds);
}

void press(Lab& lab)
{
    lab.form->controls().CmdOK->click();
}

// The user presses the button during the pause of the given step.
void stop_at(Lab& lab, int step)
{
    lab.doubles.pause.during = [&lab, step](int pause_number) {
        if (pause_number == step)
            press(lab);
    };
}

bool resizable(const Form1& form)
{
    return form.minimumSize() != form.maximumSize();
}

TEST(Form1Run, EndsAtTheFirstStepThatReachesTmax)
{
    // The defaults give a step of T0/100 = 0.0217081 s.
    struct Case {
        const char* Tmax;
        int steps;
    };
    const Case cases[] = {{"0.1", 5}, {"0.05", 3}, {"0.0217", 1}, {"0.00001", 1}, {"0.5", 24}};
    for (const Case& c : cases) {
        Lab lab;
        lab.type("Text20", QString::fromLatin1(c.Tmax));
        press(lab);
        EXPECT_EQ(lab.doubles.pause.requested.size(), static_cast<std::size_t>(c.steps)) << c.Tmax;
        const RunState& s = lab.form->lab().s;
        const double shag = lab.form->lab().c.shag;
        EXPECT_GE(s.t_f, lab.form->lab().p.Tmax) << c.Tmax;
        EXPECT_LT(s.t_f - shag, lab.form->lab().p.Tmax) << c.Tmax;
        EXPECT_EQ(lab.text("Label29"), system_separator(QStringLiteral("t = %1 c").arg(s.t_f, 0, 'f', 6))) << c.Tmax;
    }
}

TEST(Form1Run, DesktopAcceleratorsInTheCaptionDoNotStopTheRun)
{
    // Some desktops put an "&" into every button caption of their own accord.
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    QPushButton* button = lab.form->controls().CmdOK;
    button->setText(QStringLiteral("&ПУСК"));
    lab.doubles.pause.during = [button](int) { button->setText(QLatin1Char('&') + button->text()); };
    press(lab);
    EXPECT_EQ(lab.doubles.pause.requested.size(), 5u);
    EXPECT_EQ(button->text().remove(QLatin1Char('&')), QStringLiteral("ПУСК"));
}

TEST(Form1Run, TheFirstStepWithTheDefaults)
{
    Lab lab;
    QString shown_after_first_step;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number == 1) {
            shown_after_first_step = lab.text("Label29");
            press(lab);
        }
    };
    press(lab);
    EXPECT_EQ(shown_after_first_step, system_separator(QStringLiteral("t = 0.021708 c")));
    EXPECT_EQ(lab.doubles.pause.requested.size(), 1u);
    // The readouts show the state after the step, the angle in degrees.
    const RunState& s = lab.form->lab().s;
    const auto shown = [](const char* prefix, double value, const char* suffix) {
        return QString::fromUtf8(prefix) + system_separator(QString::number(value, 'f', 6)) + QString::fromUtf8(suffix);
    };
    EXPECT_EQ(lab.text("Label30"), shown("fi = ", s.fi_new / k_grad_rad, " °"));
    EXPECT_EQ(lab.text("Label31"), shown("wz = ", s.wz_new, " рад/с"));
    EXPECT_EQ(lab.text("Label37"), shown("W = ", s.W_poln, " Дж"));
    // After one step from 37 degrees at -3.5 rad/s the body has swung back.
    EXPECT_LT(s.fi_new / k_grad_rad, 37);
    EXPECT_GT(s.fi_new / k_grad_rad, 30);
}

TEST(Form1Run, LocksTheInputsAndTheWindowSizeWhileRunning)
{
    // Every other control, the slow-down bar, the view buttons, the heading
    // that loads the parameter file and the button itself among them, stays
    // enabled, and so do the menus.
    const QSet<QString> locked = {
        QStringLiteral("Text1"),    QStringLiteral("Text2"),    QStringLiteral("Text3"),    QStringLiteral("Text4"),
        QStringLiteral("Text5"),    QStringLiteral("Text6"),    QStringLiteral("Text7"),    QStringLiteral("Text8"),
        QStringLiteral("Text9"),    QStringLiteral("Text34"),   QStringLiteral("Text18"),   QStringLiteral("Text19"),
        QStringLiteral("Text20"),   QStringLiteral("HScroll2"), QStringLiteral("VScroll1"), QStringLiteral("VScroll2"),
        QStringLiteral("VScroll3"), QStringLiteral("Check_p"),
    };
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    const QSize size_before = lab.form->size();
    const auto enabled_controls = [&] {
        QSet<QString> enabled;
        for (const QWidget* w : lab.form->controls().widgets) {
            if (w->isEnabled())
                enabled.insert(w->objectName());
        }
        return enabled;
    };
    const auto all_menus_enabled = [&] {
        for (const QAction* action : lab.form->findChildren<QAction*>()) {
            if (!action->isEnabled())
                return false;
        }
        return true;
    };
    const QSet<QString> enabled_before = enabled_controls();
    ASSERT_TRUE(enabled_before.contains(locked));
    for (const char* name : {"HScroll1", "Option1", "Option2", "Label10", "CmdOK"})
        ASSERT_TRUE(enabled_before.contains(QString::fromLatin1(name))) << name;

    QSet<QString> enabled_during;
    bool menus_during = false;
    QString caption_during;
    QString title_during;
    bool resizable_during = true;
    QSize size_after_try;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number != 2)
            return;
        enabled_during = enabled_controls();
        menus_during = all_menus_enabled();
        caption_during = lab.form->controls().CmdOK->text();
        title_during = lab.form->windowTitle();
        resizable_during = resizable(*lab.form);
        lab.form->resize(size_before + QSize(100, 50));
        QCoreApplication::processEvents();
        size_after_try = lab.form->size();
    };
    press(lab);

    EXPECT_EQ(enabled_during, QSet<QString>(enabled_before).subtract(locked));
    EXPECT_TRUE(menus_during);
    EXPECT_EQ(enabled_controls(), enabled_before);
    EXPECT_EQ(caption_during, QStringLiteral("СТОП"));
    EXPECT_EQ(lab.form->controls().CmdOK->text(), QStringLiteral("ПУСК"));
    EXPECT_EQ(title_during, during_title);
    EXPECT_FALSE(resizable_during);
    EXPECT_EQ(size_after_try, size_before);

    EXPECT_TRUE(resizable(*lab.form));
    lab.form->resize(size_before + QSize(100, 50));
    QCoreApplication::processEvents();
    EXPECT_EQ(lab.form->size(), size_before + QSize(100, 50));
    EXPECT_FALSE(lab.form->run_in_progress());
}

TEST(Form1Run, AMaximisedWindowStaysMaximisedWhereItIs)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.2"));
    lab.form->showMaximized();
    QCoreApplication::processEvents();
    const QRect maximised = lab.form->geometry();
    Qt::WindowStates state_during;
    QRect geometry_during;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number == 2) {
            // The desktop restores it: the run puts it back.
            lab.form->showNormal();
            QCoreApplication::processEvents();
        }
        if (pause_number == 3) {
            state_during = lab.form->windowState();
            geometry_during = lab.form->geometry();
        }
    };
    press(lab);
    EXPECT_TRUE(state_during & Qt::WindowMaximized);
    EXPECT_EQ(geometry_during, maximised);
    EXPECT_TRUE(lab.form->windowState() & Qt::WindowMaximized);
    EXPECT_EQ(lab.form->geometry(), maximised);
    EXPECT_TRUE(resizable(*lab.form));
    // Afterwards it is the user's to restore.
    lab.form->showNormal();
    QCoreApplication::processEvents();
    EXPECT_FALSE(lab.form->windowState() & Qt::WindowMaximized);
}

TEST(Form1Run, EndsWithTheLongTone)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.05"));
    press(lab);
    EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{600});
    EXPECT_EQ(lab.doubles.tone.last_frequency, 880);

    // A run stopped with the button ends the same way.
    lab.doubles.tone.lengths.clear();
    stop_at(lab, 1);
    press(lab);
    EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{600});
}

TEST(Form1Run, TheScreenShowsAStepOnceAFrameAndTheLastStepAlways)
{
    // At 10 ms a step the readouts and pictures are shown at most sixty
    // times a second of the run's pace; at 20 ms, every step; after the run,
    // the last step, which at 10 ms a step was drawn but not shown.
    struct Case {
        int slow_down;
        std::vector<bool> shown;
    };
    for (const Case& c : {Case{1, {true, false, true, false}}, Case{2, {true, true, true, true}}}) {
        Lab lab;
        lab.type("Text20", QStringLiteral("0.08"));
        lab.form->controls().HScroll1->setValue(c.slow_down);
        const RunState& s = lab.form->lab().s;
        const Controls& controls = lab.form->controls();
        auto step_shown = [&] {
            const bool readout =
                lab.text("Label29") == system_separator(QStringLiteral("t = %1 c").arg(s.t_f, 0, 'f', 6));
            for (const CanvasWidget* picture : controls.picture_widgets())
                EXPECT_EQ(picture->repaints_held(), !readout);
            return readout;
        };
        std::vector<bool> shown;
        lab.doubles.pause.during = [&](int) { shown.push_back(step_shown()); };
        press(lab);
        EXPECT_EQ(shown, c.shown) << c.slow_down;
        EXPECT_TRUE(step_shown()) << c.slow_down;
    }
}

TEST(Form1Run, EachStepPausesAsTheSlowDownBarSaysAtThatStep)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    QScrollBar* bar = lab.form->controls().HScroll1;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number == 2)
            bar->setValue(9);
        if (pause_number == 4)
            bar->setValue(3);
    };
    press(lab);
    EXPECT_EQ(lab.doubles.pause.requested, (std::vector<int>{10, 10, 90, 90, 30}));
    EXPECT_EQ(lab.text("Label21"), QStringLiteral("3"));
    EXPECT_EQ(lab.form->lab().run.zamedlenie, 3);

    // The factor stays for the next run.
    lab.doubles.pause.requested.clear();
    lab.doubles.pause.during = nullptr;
    press(lab);
    EXPECT_EQ(lab.doubles.pause.requested, (std::vector<int>(5, 30)));
}

TEST(Form1Run, AStopCompletesTheStepInProgressThenEnds)
{
    for (const int step : {1, 3}) {
        Lab lab;
        stop_at(lab, step);
        press(lab);
        const LabState& state = lab.form->lab();
        EXPECT_EQ(lab.doubles.pause.requested.size(), static_cast<std::size_t>(step));
        EXPECT_NEAR(state.s.t_f, step * state.c.shag, 1e-12);
        EXPECT_EQ(lab.text("Label29"), system_separator(QStringLiteral("t = %1 c").arg(state.s.t_f, 0, 'f', 6)));
        EXPECT_EQ(lab.form->controls().CmdOK->text(), QStringLiteral("ПУСК"));
        EXPECT_TRUE(lab.box("Text1")->isEnabled());
        EXPECT_FALSE(lab.form->run_in_progress());
    }
}

TEST(Form1Run, ASecondPressBeforeTheLoopNoticesTheStopDoesNothing)
{
    Lab lab;
    bool still_the_first_run = false;
    QString title_after_second_press;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number != 1)
            return;
        press(lab);
        const QString title_after_stop = lab.form->windowTitle();
        press(lab);
        still_the_first_run =
            lab.form->run_in_progress() && lab.form->controls().CmdOK->text() == QStringLiteral("ПУСК");
        title_after_second_press = lab.form->windowTitle();
        EXPECT_EQ(title_after_second_press, title_after_stop);
    };
    press(lab);
    EXPECT_TRUE(still_the_first_run);
    EXPECT_EQ(lab.doubles.pause.requested.size(), 1u);
    EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{600});
    EXPECT_EQ(lab.form->windowTitle(), plain_title + report(0));

    // Once the run has ended, a press starts afresh from the first step.
    lab.doubles.pause.requested.clear();
    QString first_time;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number == 1) {
            first_time = lab.text("Label29");
            press(lab);
        }
    };
    press(lab);
    EXPECT_EQ(first_time, system_separator(QStringLiteral("t = 0.021708 c")));
    EXPECT_EQ(lab.doubles.pause.requested.size(), 1u);
}

TEST(Form1Run, TheTitleReportsTheComputingTime)
{
    {
        Lab lab;
        lab.type("Text20", QStringLiteral("0.1"));
        QString during;
        lab.doubles.pause.during = [&](int pause_number) {
            if (pause_number == 1)
                during = lab.form->windowTitle();
            if (pause_number == 3)
                lab.doubles.clock.now += 17;
        };
        press(lab);
        EXPECT_EQ(during, during_title);
        EXPECT_EQ(lab.form->windowTitle(),
                  plain_title + QStringLiteral(". Время расчёта - ") + QStringLiteral(" 17") + QStringLiteral(" c"));
    }
    {
        // The stop press reports at once, with a full stop after the title;
        // the end of the run reports the whole run, counted from the start.
        Lab lab;
        QString after_stop;
        lab.doubles.pause.during = [&](int pause_number) {
            if (pause_number != 2)
                return;
            lab.doubles.clock.now += 5;
            press(lab);
            after_stop = lab.form->windowTitle();
            lab.doubles.clock.now += 2;
        };
        press(lab);
        EXPECT_EQ(after_stop, plain_title + QStringLiteral(".") + report(5));
        EXPECT_EQ(lab.form->windowTitle(), plain_title + report(7));
    }
}

TEST(Form1Run, RefusesAMotionThatCannotBeComputed)
{
    // A rod alone, so long that its drag integral overflows: the boxes accept
    // every value, but the equation of motion has no finite coefficient.
    Lab lab;
    lab.type("Text1", QStringLiteral("0"));
    lab.type("Text2", QStringLiteral("1000000000000"));
    ASSERT_EQ(lab.text("Text2"), QStringLiteral("1000000000000.0000"));
    ASSERT_FALSE(motion_defined(lab.form->lab().c));
    lab.doubles.boxes.shown.clear();
    lab.doubles.tone.lengths.clear();

    press(lab);
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{300});
    EXPECT_TRUE(lab.doubles.pause.requested.empty());
    EXPECT_EQ(lab.form->controls().CmdOK->text(), QStringLiteral("ПУСК"));
    EXPECT_TRUE(lab.box("Text20")->isEnabled());
    EXPECT_TRUE(lab.form->controls().Check_p->isEnabled());
    EXPECT_TRUE(resizable(*lab.form));
    EXPECT_EQ(lab.form->windowTitle(), plain_title);
    EXPECT_FALSE(lab.form->run_in_progress());

    // Put right, the same window runs.
    lab.type("Text2", QStringLiteral("1.5"));
    lab.type("Text20", QStringLiteral("0.05"));
    press(lab);
    EXPECT_EQ(lab.doubles.pause.requested.size(), 3u);
}

TEST(Form1Run, ZoomBarsSetTheirGraphsDivisor)
{
    struct Case {
        int value;
        double divisor;
    };
    const Case cases[] = {{-4, 0.25}, {3, 3}, {0, 1}, {-1, 1}, {10, 10}, {-10, 0.1}, {1, 1}};
    Lab lab;
    const Controls& c = lab.form->controls();
    // The logical ranges the three graphs are drawn in.
    const auto ranges = [&c] {
        return std::array<LogicalRect, 3>{c.Picture3->canvas().mapping().rect(), c.Picture4->canvas().mapping().rect(),
                                          c.Picture14->canvas().mapping().rect()};
    };
    const std::array<LogicalRect, 3> unzoomed = ranges();
    for (const Case& k : cases) {
        c.VScroll1->setValue(k.value);
        c.VScroll2->setValue(k.value);
        c.VScroll3->setValue(k.value);
        const ZoomSettings& zoom = lab.form->lab().zoom;
        EXPECT_EQ(zoom.k_fi, k.divisor) << k.value;
        EXPECT_EQ(zoom.k_wz, k.divisor) << k.value;
        EXPECT_EQ(zoom.k_W, static_cast<float>(k.divisor)) << k.value;
        // The graphs were redrawn at once on the new scales; the energy
        // window zooms about its middle.
        const std::array<LogicalRect, 3> now = ranges();
        for (std::size_t g = 0; g < now.size(); ++g) {
            const double span = now[g].top - now[g].bottom;
            const double middle = (now[g].top + now[g].bottom) / 2;
            EXPECT_NEAR(span * k.divisor, unzoomed[g].top - unzoomed[g].bottom, 1e-4) << k.value << " graph " << g;
            EXPECT_NEAR(middle, (unzoomed[g].top + unzoomed[g].bottom) / 2, 1e-4) << k.value << " graph " << g;
        }
    }
}

TEST(Form1Run, AZoomChangeRedrawsWithoutTheLastRunsCurves)
{
    // The same zoom set on a window that never ran draws the same pictures.
    Lab ran;
    ran.type("Text20", QStringLiteral("0.5"));
    press(ran);
    Lab fresh;
    fresh.type("Text20", QStringLiteral("0.5"));
    struct Bar {
        QScrollBar* Controls::*bar;
        CanvasWidget* Controls::*picture;
    };
    const Bar bars[] = {{&Controls::VScroll1, &Controls::Picture3},
                        {&Controls::VScroll2, &Controls::Picture4},
                        {&Controls::VScroll3, &Controls::Picture14}};
    for (const Bar& b : bars) {
        const Controls& r = ran.form->controls();
        const Controls& f = fresh.form->controls();
        const QImage with_curve = (r.*b.picture)->canvas().image();
        (r.*b.bar)->setValue(2);
        (f.*b.bar)->setValue(2);
        EXPECT_NE((r.*b.picture)->canvas().image(), with_curve);
        EXPECT_EQ((r.*b.picture)->canvas().image(), (f.*b.picture)->canvas().image());
    }
}

TEST(Form1Run, PointsPerPeriodChangeTheStepAtTheNextRun)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    const double shag_100 = lab.form->lab().c.shag;
    lab.form->controls().HScroll2->setValue(200);
    EXPECT_EQ(lab.text("Label32"), QStringLiteral("200"));
    EXPECT_EQ(lab.form->lab().run.n_tochek, 200);
    EXPECT_EQ(lab.form->lab().c.shag, shag_100);

    press(lab);
    EXPECT_DOUBLE_EQ(lab.form->lab().c.shag, shag_100 / 2);
    EXPECT_EQ(lab.doubles.pause.requested.size(), 10u);
}

TEST(Form1Run, WithoutDampingTheEnergyStaysAtItsStart)
{
    Lab lab;
    lab.type("Text5", QStringLiteral("0"));
    lab.type("Text8", QStringLiteral("0"));
    lab.type("Text34", QStringLiteral("0"));
    lab.type("Text20", QStringLiteral("2.2"));
    float lowest = INFINITY;
    float highest = -INFINITY;
    lab.doubles.pause.during = [&](int) {
        lowest = std::min(lowest, lab.form->lab().s.W_poln);
        highest = std::max(highest, lab.form->lab().s.W_poln);
    };
    press(lab);
    const double W_00 = lab.form->lab().c.W_00;
    EXPECT_EQ(lab.doubles.pause.requested.size(), 102u);
    EXPECT_NEAR(lowest, W_00, 1e-5 * std::fabs(W_00));
    EXPECT_NEAR(highest, W_00, 1e-5 * std::fabs(W_00));

    // In the default water the same swing loses much of its energy, so the
    // tolerance above would not hide the drag.
    Lab damped;
    damped.type("Text20", QStringLiteral("2.2"));
    float last = 0;
    damped.doubles.pause.during = [&](int) { last = damped.form->lab().s.W_poln; };
    press(damped);
    EXPECT_LT(last, 0.9 * damped.form->lab().c.W_00);
}

TEST(Form1Run, ControlsThatStayEnabledWorkDuringARun)
{
    Lab lab;
    lab.type("Text20", QStringLiteral("0.1"));
    // The parameter file shortens the run it is loaded into.
    QFile file(lab.folder.filePath(QStringLiteral("vibrel_in.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QTextStream(&file) << "m,15.499,\nd2,0.4,\nd1,0.3,\nc,0.47,\nL,1.5,\nM,0.5881,\nD,0.008,\nc,1.2,\n"
                          "ro,1000,\neta,0.001004,\nfi,37,\nwz,-3.5,\nT,0.05,\nend\n";
    file.close();
    bool graphs_shown = false;
    lab.doubles.pause.during = [&](int pause_number) {
        if (pause_number != 1)
            return;
        lab.form->controls().Option2->click();
        graphs_shown = lab.form->controls().Picture3->isVisible();
        lab.form->Label10_Click();
    };
    press(lab);
    EXPECT_TRUE(graphs_shown);
    EXPECT_EQ(lab.text("Text20"), QStringLiteral(" .05"));
    EXPECT_EQ(lab.doubles.pause.requested.size(), 3u);
    EXPECT_TRUE(lab.doubles.boxes.shown.empty());
}

} // namespace
} // namespace vp::testing
