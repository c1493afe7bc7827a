// SPDX-License-Identifier: GPL-3.0-or-later
// The window's redraws are drawn once, when first needed: what the pictures
// hold whenever anything can see them is what drawing every redraw at once
// gives. ctest runs these at device pixel ratios 1 and 2.
#include "form1_test_support.h"
#include "graphs/pictures.h"
#include "platform/canvas_widget.h"

#include <QFile>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

namespace vp {
namespace {

using testing::Lab;

// The five pictures as a redraw of the window's present state draws them
// at once, on fresh canvases like the window's.
std::array<QImage, 5> drawn_at_once(const Form1& form)
{
    std::array<Canvas, 5> fresh;
    const auto widgets = form.controls().picture_widgets();
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        const CanvasWidget* w = widgets[i];
        const Canvas& shown = w->canvas();
        fresh[i].set_background(shown.background());
        fresh[i].set_foreground(shown.foreground());
        fresh[i].set_font(shown.font());
        fresh[i].resize(shown.logical_size(), shown.device_pixel_ratio());
        fresh[i].set_visible_area(w->rect() & w->parentWidget()->rect().translated(-w->pos()));
    }
    const LabState& lab = form.lab();
    draw_pictures({fresh[0], fresh[1], fresh[2], fresh[3], fresh[4]}, lab.p, lab.c, lab.zoom, lab.plane_copy,
                  QLocale().decimalPoint().toStdString());
    std::array<QImage, 5> images;
    for (std::size_t i = 0; i < fresh.size(); ++i)
        images[i] = fresh[i].image().copy();
    return images;
}

// No picture on view waits with a redraw: the screen shows them drawn.
void expect_shown_drawn(const Form1& form, const std::string& when)
{
    for (const CanvasWidget* picture : form.controls().picture_widgets()) {
        if (picture->isVisible()) {
            EXPECT_FALSE(picture->redraw_pending()) << picture->objectName().toStdString() << " " << when;
        }
    }
}

// A parameter file that changes every value; its outer diameter is below
// the inner one still in force when it is read, which the box refuses with
// a message in the middle of the load.
void write_parameter_file(const Lab& lab)
{
    QFile file(lab.folder.filePath(QStringLiteral("vibrel_in.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    const char* const values[] = {"44.17", "0.2", "0.1",  "0.5", "1.2", "0.735", "0.01",
                                  "1.1",   "961", "0.99", "30",  "0.5", "20"};
    QByteArray bytes;
    for (const char* v : values)
        bytes += QByteArray("q, ") + v + ", u\r\n";
    ASSERT_GT(file.write(bytes + "end\r\n"), 0);
}

TEST(Form1Redraw, PicturesAreWhatARedrawAtOnceDraws)
{
    struct Step {
        const char* what;
        std::function<void(Lab&)> act;
    };
    const Step steps[] = {
        {"a parameter file",
         [](Lab& lab) {
             write_parameter_file(lab);
             lab.form->Label10_Click();
             ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
         }},
        {"an edit", [](Lab& lab) { lab.type("Text2", QStringLiteral("1.345")); }},
        {"a zoom", [](Lab& lab) { lab.form->controls().VScroll1->setValue(3); }},
        {"the graphs on view and an edit",
         [](Lab& lab) {
             lab.form->controls().Option2->click();
             lab.type("Text18", QStringLiteral("25"));
         }},
        {"a run and a zoom",
         [](Lab& lab) {
             lab.type("Text20", QStringLiteral("0.3"));
             lab.form->controls().CmdOK->click();
             lab.form->controls().VScroll3->setValue(-2);
         }},
        {"the animation on view", [](Lab& lab) { lab.form->controls().Option1->click(); }},
        {"a wider window", [](Lab& lab) { lab.form->resize(lab.form->width() + 120, lab.form->height()); }},
    };
    Lab lab;
    // A box runs an event loop: the window behind it shows the pictures
    // drawn, as they were when the box came.
    lab.doubles.boxes.on_message = [&lab] { expect_shown_drawn(*lab.form, "at a message"); };
    for (const Step& step : steps) {
        step.act(lab);
        QCoreApplication::processEvents();
        expect_shown_drawn(*lab.form, step.what);
        const std::array<QImage, 5> expected = drawn_at_once(*lab.form);
        const auto widgets = lab.form->controls().picture_widgets();
        for (std::size_t i = 0; i < widgets.size(); ++i)
            EXPECT_TRUE(widgets[i]->canvas().image() == expected[i])
                << widgets[i]->objectName().toStdString() << " after " << step.what << " at ratio "
                << lab.form->devicePixelRatioF();
    }
}

} // namespace
} // namespace vp
