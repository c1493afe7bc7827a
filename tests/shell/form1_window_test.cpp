// SPDX-License-Identifier: GPL-3.0-or-later
// The main window as a new user meets it: the controls, their places, the
// start-up values and the way out.
#include "form1_test_support.h"

#include "platform/canvas_widget.h"
#include "tests/support/c_library_locale.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <gtest/gtest.h>

namespace vp::testing {
namespace {

QString caption_of(QWidget* w)
{
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* frame = qobject_cast<QGroupBox*>(w))
        return frame->title();
    return {};
}

struct ControlRow {
    const char* name;
    const char* kind;
    const char* caption; // nullptr: not checked here (set by the computation)
    const char* tooltip;
};

TEST(Form1Window, EveryControlOfTheInventory)
{
    Lab lab;
    const ControlRow inventory[] = {
        {"Label10", "vp::ClickableLabel", "Параметры задачи", "Параметры задачи"},
        {"Label1", "QLabel", "m (кг) =", "масса сферы"},
        {"Label4", "QLabel", "d2 (м) =", "внешний диаметр сферы"},
        {"Label7", "QLabel", "d1 (м)=", "внутренний диаметр сферы"},
        {"Label8", "QLabel", "с_сф=", "коэффициент лобового сопротивления для сферы"},
        {"Label2", "QLabel", "L (м) =", "длина стержня от оси вращения до нижней точки сферы"},
        {"Label6", "QLabel", "М (кг) =", "масса стержня"},
        {"Label9", "QLabel", "D (м) =", "диаметр стержня. В окне анимациине  не масштабируется"},
        {"Label34", "QLabel", "с_ст=", "коэффициент лобового сопротивления для стержня"},
        {"Label3", "QLabel", "   o (кг/м3)=", "плотность среды"},
        {"Label5", "QLabel", "    (Па·с) = ", "коэффициент динамической вязкости среды"},
        {"Label18", "QLabel", "   o (°)=", "начальный угол отклонения"},
        {"Label19", "QLabel", "    zo(рад/с)=", "начальная угловая скорость"},
        {"Label20", "QLabel", "Т (с) =", "время расчета"},
        {"Label3_2", "vp::GreekLetter", "ρ", nullptr},
        {"Label5_2", "vp::GreekLetter", "η", nullptr},
        {"Label18_2", "vp::GreekLetter", "φ", nullptr},
        {"Label19_2", "vp::GreekLetter", "ω", nullptr},
        {"Text1", "QLineEdit", nullptr, "масса сферы"},
        {"Text4", "QLineEdit", nullptr, "внешний диаметр сферы"},
        {"Text7", "QLineEdit", nullptr, "внутренний диаметр сферы"},
        {"Text8", "QLineEdit", nullptr, "коэффициент лобового сопротивления для сферы"},
        {"Text2", "QLineEdit", nullptr, "длина стержня от оси вращения до нижней точки сферы"},
        {"Text6", "QLineEdit", nullptr, "масса стержня"},
        {"Text9", "QLineEdit", nullptr, "диаметр стержня. В окне анимации не масштабируется"},
        {"Text34", "QLineEdit", nullptr, "коэффициент лобового сопротивления для стержня"},
        {"Text3", "QLineEdit", nullptr, "плотность среды"},
        {"Text5", "QLineEdit", nullptr, "коэффициент динамической вязкости среды"},
        {"Text18", "QLineEdit", nullptr, "начальный угол отклонения"},
        {"Text19", "QLineEdit", nullptr, "начальная угловая скорость"},
        {"Text20", "QLineEdit", nullptr, "время расчета"},
        {"Label11", "QLabel", "Характеристики", "Характеристики движения"},
        {"Label12", "QLabel", nullptr, "средняя плотность сферы, как шара"},
        {"Label33", "QLabel", nullptr, "средняя плотность материала сферы"},
        {"Label13", "QLabel", nullptr, "масса среды в объёме шар+стержень"},
        {"Label14", "QLabel", nullptr, "средняя плотность стержня"},
        {"Label15", "QLabel", nullptr, "момент инерции системы сфера-стержень"},
        {"Label16", "QLabel", nullptr, "декремент затухания при с=0"},
        {"Label17", "QLabel", nullptr, "циклическая частота гармонических колебаний"},
        {"Label22", "QLabel", nullptr, "циклическая частота собственных колебаний при с=0"},
        {"Label23", "QLabel", nullptr, "период гармонических колебаний"},
        {"Label24", "QLabel", nullptr, "период собственных колебаний при с=0"},
        {"Label25", "QLabel", nullptr, "коэффициент вязкости для критического режима (при с=0)"},
        {"Label26", "QLabel", nullptr, "параметр fi_2"},
        {"Label27", "QLabel", nullptr, "логарифмический декремент затухания"},
        {"Label28", "QLabel", nullptr, "добротность"},
        {"Label35", "QLabel", nullptr, "Положение центра масс"},
        {"Label36", "QLabel", nullptr, "Параметр равновесия сил тяжести и Архимеда"},
        {"Label12_2", "vp::GreekLetter", "ρ", nullptr},
        {"Label33_2", "vp::GreekLetter", "ρ", nullptr},
        {"Label14_2", "vp::GreekLetter", "ρ", nullptr},
        {"Label16_2", "vp::GreekLetter", "δ", nullptr},
        {"Label17_2", "vp::GreekLetter", "ω", nullptr},
        {"Label22_2", "vp::GreekLetter", "ω", nullptr},
        {"Label25_2", "vp::GreekLetter", "η", nullptr},
        {"Label26_2", "vp::GreekLetter", "φ", nullptr},
        {"Label27_2", "vp::GreekLetter", "Θ", nullptr},
        {"Label29", "QLabel", "текущее время", "текущее время"},
        {"Label30", "QLabel", "текущий угол", "текущий угол"},
        {"Label31", "QLabel", "текущая угловая скорос.", "текущая угловая скорость"},
        {"Label37", "QLabel", "текущая полная энергия", "Текущая полная энергия"},
        {"HScroll1", "QScrollBar", nullptr, nullptr},
        {"HScroll2", "QScrollBar", nullptr, nullptr},
        {"Label21", "QLabel", "1", "Замедление времени"},
        {"Label32", "QLabel", "100", "Число точек интегрирования на  периоде гармонических колебаний"},
        {"Frame1", "QGroupBox", "Графики", "Выбор показа графика"},
        {"Option1", "QRadioButton", "анимация", "Анимация движения (траектория)"},
        {"Option2", "QRadioButton", "fi(t), wz, W", "Зависимости угла, угловой скорости, энергии от времени"},
        {"CmdOK", "QPushButton", "ПУСК", "Запуск (остановка) установки"},
        {"Check_p", "QCheckBox", "файл", "вывод результатов на печать"},
        {"Picture1", "vp::CanvasWidget", nullptr, "Плоскость Y-X график"},
        {"Picture2", "vp::CanvasWidget", nullptr, "Анимация движения"},
        {"VScroll1", "QScrollBar", nullptr, nullptr},
        {"Picture3", "vp::CanvasWidget", nullptr, "Зависимость угла от времени. Слева - масштаб"},
        {"VScroll2", "QScrollBar", nullptr, nullptr},
        {"Picture4", "vp::CanvasWidget", nullptr, "Зависимость угловой скорости от времени. Слева - масштаб"},
        {"VScroll3", "QScrollBar", nullptr, nullptr},
        {"Picture14", "vp::CanvasWidget", nullptr, "Зависимость полной энергии от времени. Слева - масштаб"},
    };
    for (const ControlRow& row : inventory) {
        QWidget* w = lab.form->findChild<QWidget*>(QString::fromLatin1(row.name));
        ASSERT_NE(w, nullptr) << row.name;
        EXPECT_STREQ(w->metaObject()->className(), row.kind) << row.name;
        if (row.caption) {
            EXPECT_EQ(caption_of(w), QString::fromUtf8(row.caption)) << row.name;
        }
        if (row.tooltip) {
            EXPECT_EQ(w->toolTip(), QString::fromUtf8(row.tooltip)) << row.name;
        }
    }
    EXPECT_EQ(lab.form->controls().widgets.size(), std::size(inventory));
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

TEST(Form1Window, NarrowAndMinimisedWindowsDoNotFail)
{
    Lab lab;
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
