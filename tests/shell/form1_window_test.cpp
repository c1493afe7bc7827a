// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a new user meets it: the controls, their places, the
// start-up values and the way out.
#include "form1_test_support.h"

#include "input/quantity_table.h"
#include "platform/canvas_widget.h"
#include "shell/layout.h"
#include "tests/support/c_library_locale.h"
#include "texts/characteristic_table.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace vp::testing {
namespace {

QString utf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TEST(Form1Window, EveryControlOfTheInventoryOnceByItsName)
{
    Lab lab;
    const Controls& c = lab.form->controls();
    for (std::size_t i = 0; i < control_count; ++i) {
        const QString name = utf8(control_name(static_cast<Ctl>(i)));
        const QList<QWidget*> found = lab.form->findChildren<QWidget*>(name);
        ASSERT_EQ(found.size(), 1) << name.toStdString();
        EXPECT_EQ(found[0], c.widgets[i]) << name.toStdString();
    }
}

// A Greek letter over a label: of its kind, with the letter, above the label.
void expect_overlay(const Lab& lab, const Overlay& overlay, const QWidget* label)
{
    if (overlay.name.empty())
        return;
    const auto* letter = qobject_cast<QLabel*>(lab.widget(std::string(overlay.name).c_str()));
    ASSERT_NE(letter, nullptr) << overlay.name;
    EXPECT_STREQ(letter->metaObject()->className(), "vp::GreekLetter");
    EXPECT_EQ(letter->text(), utf8(overlay.letter));
    const QWidgetList siblings = label->parentWidget()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_GT(siblings.indexOf(const_cast<QLabel*>(letter)), siblings.indexOf(const_cast<QWidget*>(label)))
        << overlay.name << " lies under its label";
}

TEST(Form1Window, EveryControlTheTablesNameIsThereAsTheRowSays)
{
    Lab lab;
    for (const QuantityRow& row : quantity_table()) {
        SCOPED_TRACE(row.name);
        auto* box = qobject_cast<QLineEdit*>(lab.widget(std::string(row.box).c_str()));
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box, lab.form->controls().box(row.quantity));
        EXPECT_EQ(box->toolTip(), utf8(row.tooltip));
        auto* label = qobject_cast<QLabel*>(lab.widget(std::string(row.label).c_str()));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), utf8(row.caption));
        EXPECT_EQ(label->toolTip(), utf8(row.label_tooltip.empty() ? row.tooltip : row.label_tooltip));
        // The label stands on the box's row, to its left.
        EXPECT_EQ(label->y(), box->y());
        EXPECT_LT(label->x(), box->x());
        expect_overlay(lab, row.overlay, label);
    }
    const QLabel* above = nullptr;
    for (const CharacteristicRow& row : characteristic_table()) {
        SCOPED_TRACE(row.name);
        auto* label = qobject_cast<QLabel*>(lab.widget(std::string(row.label).c_str()));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label, lab.form->controls().characteristics[static_cast<std::size_t>(row.characteristic)]);
        EXPECT_EQ(label->toolTip(), utf8(row.tooltip));
        EXPECT_TRUE(label->text().startsWith(utf8(row.prefix.substr(0, row.prefix.find('=')))));
        // In the order of the table, top to bottom.
        if (above) {
            EXPECT_GT(label->y(), above->y());
        }
        above = label;
        expect_overlay(lab, row.overlay, label);
    }
}

TEST(Form1Window, AScreenReaderHearsEveryControlByANameOfItsOwn)
{
    Lab lab;
    const auto names = [&lab] {
        QStringList all;
        for (QWidget* w : lab.form->controls().widgets) {
            QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(w);
            EXPECT_NE(reader, nullptr) << w->objectName().toStdString();
            if (reader == nullptr)
                continue;
            const QString name = reader->text(QAccessible::Name);
            EXPECT_FALSE(name.trimmed().isEmpty()) << w->objectName().toStdString();
            EXPECT_FALSE(reader->text(QAccessible::Description).trimmed().isEmpty()) << w->objectName().toStdString();
            all << name;
        }
        return all;
    };
    QStringList before = names();
    EXPECT_EQ(before.removeDuplicates(), 0) << before.join(QStringLiteral(" | ")).toStdString();
    // The Greek letters the captions leave to their overlays, restored.
    const std::pair<const char*, const char*> spoken[] = {
        {"Text3", "ρ₀, плотность среды, кг/м3"},
        {"Label3", "ρ₀ (кг/м3) ="},
        {"Text19", "ω₀, начальная угловая скорость, рад/с"},
        {"Text8", "с_сф, коэффициент лобового сопротивления для сферы"},
        {"Label17", "ωo = 2.894E+00 рад/c"},
        {"Label27", "Θ= 2.575E-04"},
        {"Label21", "Замедление времени: 1"},
    };
    for (const auto& [name, text] : spoken) {
        const QString heard = QAccessible::queryAccessibleInterface(lab.widget(name))->text(QAccessible::Name);
        EXPECT_EQ(heard, system_separator(QString::fromUtf8(text))) << name;
    }
    // Each box is the buddy of its label, and the reader tells so.
    for (const QuantityRow& row : quantity_table()) {
        auto* label = qobject_cast<QLabel*>(lab.widget(std::string(row.label).c_str()));
        EXPECT_EQ(label->buddy(), lab.widget(std::string(row.box).c_str())) << row.label;
    }
    // After a run the readouts and a changed setting still have names of their own.
    lab.type("Text20", QStringLiteral("0.05"));
    lab.form->controls().HScroll1->setValue(3);
    lab.form->CmdOK_Click();
    QStringList after = names();
    EXPECT_EQ(after.removeDuplicates(), 0) << after.join(QStringLiteral(" | ")).toStdString();
    EXPECT_TRUE(lab.widget("Label30")->accessibleName().startsWith(QStringLiteral("φ = ")));
    EXPECT_EQ(lab.widget("Label21")->accessibleName(), QStringLiteral("Замедление времени: 3"));
}

TEST(Form1Window, TheKeyboardGoesDownThePanelThenThroughThePictures)
{
    Lab lab;
    const auto order = [&lab] {
        QStringList visited;
        QWidget* start = lab.widget("Text1");
        for (QWidget* w = start->nextInFocusChain(); w != start; w = w->nextInFocusChain()) {
            if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(lab.form.get()) && w->isEnabled() &&
                !w->objectName().isEmpty())
                visited << w->objectName();
        }
        return visited.join(QLatin1Char(' '));
    };
    const QString panel = QStringLiteral("Text4 Text7 Text8 Text2 Text6 Text9 Text34 Text3 Text5 Text18 Text19 Text20 "
                                         "HScroll1 HScroll2 Option1 Option2 Check_p CmdOK");
    EXPECT_EQ(order(), panel + QStringLiteral(" Picture2"));
    lab.form->controls().Option2->click();
    EXPECT_EQ(order(), panel + QStringLiteral(" VScroll1 Picture3 VScroll2 Picture4 VScroll3 Picture14"));
    for (const char* bar : {"HScroll1", "HScroll2", "VScroll1", "VScroll2", "VScroll3"})
        EXPECT_FALSE(lab.widget(bar)->toolTip().isEmpty()) << bar;

    // Return and Enter press the start button that has the focus.
    lab.type("Text20", QStringLiteral("0.05"));
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
        const std::size_t pauses = lab.doubles.pause.requested.size();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(lab.widget("CmdOK"), &press);
        EXPECT_EQ(lab.doubles.pause.requested.size(), pauses + 3) << "a run of three steps";
    }
}

TEST(Form1Window, StartsWithTheDefaults)
{
    Lab lab;
    EXPECT_EQ(lab.form->windowTitle(),
              QStringLiteral("Колебания толстостенной сферы на массивном стержне в вязкой среде"));
    EXPECT_EQ(lab.form->client_area()->size(), QSize(700, 532));
    const std::pair<const char*, const char*> boxes[] = {
        {"Text1", "15.4990"}, {"Text4", "0.4000"},  {"Text7", "0.3000"}, {"Text8", "0.470"},     {"Text2", "1.5000"},
        {"Text6", "0.5881"},  {"Text9", "0.0080"},  {"Text34", "1.200"}, {"Text3", "1000.0000"}, {"Text5", "0.0010040"},
        {"Text18", "37.000"}, {"Text19", "-3.500"}, {"Text20", " 16"},
    };
    for (const auto& [name, text] : boxes)
        EXPECT_EQ(lab.text(name), QString::fromUtf8(text)) << name;
    EXPECT_EQ(lab.text("Label12"), system_separator(QStringLiteral("   =4.625E+02 кг/м3")));
    EXPECT_EQ(lab.text("Label36"), system_separator(QStringLiteral("M_L = -2.302E+01 кг·м")));
    EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << "the defaults raise no message";
    EXPECT_TRUE(lab.doubles.tone.lengths.empty());
    EXPECT_TRUE(lab.form->controls().CmdOK->hasFocus() || !lab.form->isActiveWindow());
}

TEST(Form1Window, SpeaksTheUsersLocaleWhereItShouldAndAPointElsewhere)
{
    // The C library's locale and Qt's both set, as Qt sets them at start-up
    // from the environment: the boxes, the "e" characteristics and the
    // slow-down labels keep a point; the other characteristics, the readouts
    // and the results rows take the user's separator.
    struct Case {
        const char* c_locale;
        QLocale locale;
        QString separator;
    };
    const Case cases[] = {
        {"C.UTF-8", QLocale::c(), QStringLiteral(".")},
        {"ru_RU.UTF-8", QLocale(QLocale::Russian, QLocale::Russia), QStringLiteral(",")},
    };
    for (const Case& c : cases) {
        CLibraryLocale in_c_library(c.c_locale);
        LocaleForTest in_qt(c.locale);
        Lab lab;
        const auto sep = [&c](const char* text) {
            return QString::fromUtf8(text).replace(QLatin1Char('.'), c.separator);
        };
        const std::pair<const char*, const char*> boxes[] = {
            {"Text1", "15.4990"},
            {"Text4", "0.4000"},
            {"Text7", "0.3000"},
            {"Text8", "0.470"},
            {"Text2", "1.5000"},
            {"Text6", "0.5881"},
            {"Text9", "0.0080"},
            {"Text34", "1.200"},
            {"Text3", "1000.0000"},
            {"Text5", "0.0010040"},
            {"Text18", "37.000"},
            {"Text19", "-3.500"},
            {"Text20", " 16"},
            {"Label21", "1"},
            {"Label32", "100"},
            {"Label14", "  _s= 7.800e+03 кг/м3"},
            {"Label15", "I = 2.696e+01 кг·м2"},
            {"Label35", "Lцм = 1.280e+00 м"},
        };
        for (const auto& [name, text] : boxes)
            EXPECT_EQ(lab.text(name), QString::fromUtf8(text)) << name << " in " << c.c_locale;
        const std::pair<const char*, const char*> characteristics[] = {
            {"Label12", "   =4.625E+02 кг/м3"},     {"Label33", "   _sf=8.000E+02 кг/м3"},
            {"Label13", "mo = 3.357E+01 кг"},       {"Label16", "   = 1.186E-04 рад/c"},
            {"Label17", "    o = 2.894E+00 рад/c"}, {"Label22", "    s = 2.894E+00 рад/c"},
            {"Label23", "To = 2.171E+00 c"},        {"Label24", "Ts = 2.171E+00 c"},
            {"Label25", "  _кр = 2.450E+01 Па·с"},  {"Label26", "   2= 2.279E+01 °"},
            {"Label27", "    = 2.575E-04 "},        {"Label28", "Q = 1.220E+04 "},
            {"Label36", "M_L = -2.302E+01 кг·м"},
        };
        for (const auto& [name, text] : characteristics)
            EXPECT_EQ(lab.text(name), sep(text)) << name << " in " << c.c_locale;

        lab.form->controls().Check_p->click();
        lab.doubles.pause.during = [&lab](int) { lab.form->CmdOK_Click(); };
        lab.form->CmdOK_Click();
        EXPECT_EQ(lab.text("Label29"), sep("t = 0.021708 c")) << c.c_locale;
        EXPECT_EQ(lab.text("Label30"), sep("fi = 33.075437 °")) << c.c_locale;
        QFile results(lab.folder.filePath(QStringLiteral("vibrel_out.txt")));
        ASSERT_TRUE(results.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = results.readAll().split('\n');
        ASSERT_GE(lines.size(), 17) << c.c_locale;
        EXPECT_EQ(lines[1], QByteArray("m (\xEA\xE3) =      15.4990\r")) << "the head keeps the box texts";
        EXPECT_EQ(QString::fromLatin1(lines[16]), sep("2.1708e-02    3.3075e+01    -2.8503e+00   2.9879e+02\r"));
        EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << c.c_locale;
    }
}

TEST(Form1Window, LaidOutAtTheDesignedSize)
{
    Lab lab;
    const std::pair<const char*, QRect> places[] = {
        {"Label10", {356, 4, 168, 26}},   {"Text1", {440, 34, 84, 26}},   {"Label36", {528, 484, 168, 26}},
        {"Label21", {392, 437, 21, 26}},  {"Frame1", {356, 467, 97, 62}}, {"CmdOK", {457, 467, 68, 26}},
        {"Label37", {176, 502, 168, 26}}, {"Picture1", {4, 4, 348, 348}}, {"Picture14", {17, 236, 331, 112}},
    };
    for (const auto& [name, rect] : places)
        EXPECT_EQ(lab.widget(name)->geometry(), rect) << name;
}

TEST(Form1Window, ViewButtonsSwitchThePictures)
{
    Lab lab;
    const Controls& c = lab.form->controls();
    EXPECT_TRUE(c.Picture1->isVisible());
    EXPECT_TRUE(c.Picture2->isVisible());
    EXPECT_FALSE(c.Picture3->isVisible());
    EXPECT_FALSE(c.VScroll3->isVisible());
    c.Option2->click();
    EXPECT_FALSE(c.Picture1->isVisible());
    EXPECT_TRUE(c.Picture3->isVisible());
    EXPECT_TRUE(c.Picture14->isVisible());
    EXPECT_TRUE(c.VScroll1->isVisible());
    // A layout pass keeps the chosen view.
    lab.form->resize(lab.form->width() + 100, lab.form->height());
    QCoreApplication::processEvents();
    EXPECT_TRUE(c.Picture4->isVisible());
    EXPECT_FALSE(c.Picture2->isVisible());
    c.Option1->click();
    EXPECT_TRUE(c.Picture2->isVisible());
    EXPECT_FALSE(c.VScroll2->isVisible());
}

TEST(Form1Window, ASmallerWindowScrollsTheControlsInsteadOfPilingThem)
{
    Lab lab;
    const ClientSize least = minimum_client_size();
    EXPECT_EQ(lab.form->minimumSize().width(), least.width);
    EXPECT_GT(lab.form->minimumSize().height(), least.height) << "and the menu bar";
    // A screen too small for it (a large scale factor) lets the window be smaller.
    lab.form->setMinimumSize(0, 0);
    lab.form->resize(400, 300);
    QCoreApplication::processEvents();
    EXPECT_EQ(lab.form->client_area()->size(), QSize(least.width, least.height));
    EXPECT_EQ(lab.widget("CmdOK")->geometry(), QRect(least.width - 243, 467, 68, 26));
    auto* scroller = lab.form->findChild<QScrollArea*>();
    ASSERT_NE(scroller, nullptr);
    EXPECT_GT(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_GT(scroller->horizontalScrollBar()->maximum(), 0);
}

TEST(Form1Window, NarrowAndMinimisedWindowsDoNotFail)
{
    Lab lab;
    lab.form->setMinimumSize(0, 0);
    for (const QSize size : {QSize(360, 300), QSize(120, 80), QSize(1, 1)}) {
        lab.form->resize(size);
        QCoreApplication::processEvents();
        for (QWidget* w : lab.form->controls().widgets) {
            EXPECT_GE(w->width(), 0);
            EXPECT_GE(w->height(), 0);
        }
    }
    lab.form->showMinimized();
    QCoreApplication::processEvents();
    lab.form->showNormal();
    lab.form->resize(800, 600);
    QCoreApplication::processEvents();
    EXPECT_EQ(lab.form->controls().Picture1->width(), 800 - 352);
}

TEST(Form1Window, ClosingAsksFirst)
{
    Lab lab;
    lab.doubles.boxes.answer_yes = false;
    EXPECT_FALSE(lab.form->close());
    ASSERT_EQ(lab.doubles.boxes.questions.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.questions[0].title, QStringLiteral("На Выход"));
    EXPECT_EQ(lab.doubles.boxes.questions[0].text, QStringLiteral("Вы абсолютно уверены?"));
    EXPECT_TRUE(lab.form->isVisible());
    EXPECT_EQ(lab.doubles.quits, 0);
    EXPECT_EQ(lab.text("Text1"), QStringLiteral("15.4990"));

    // "Выход" goes the same way.
    QAction* exit = lab.form->findChild<QAction*>(QStringLiteral("mnuFileExit"));
    ASSERT_NE(exit, nullptr);
    lab.doubles.boxes.answer_yes = true;
    exit->trigger();
    EXPECT_EQ(lab.doubles.boxes.questions.size(), 2u);
    EXPECT_FALSE(lab.form->isVisible());
    EXPECT_EQ(lab.doubles.quits, 1);
}

} // namespace
} // namespace vp::testing
