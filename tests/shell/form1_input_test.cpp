// SPDX-License-Identifier: GPL-3.0-or-later
// The parameter panel as the user edits it: what typing into a box does to
// the box, the messages, the visible controls and the characteristics, and
// the parameter file behind the panel's heading.
#include "form1_test_support.h"

#include "input/validation.h"
#include "platform/canvas_widget.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QStringEncoder>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

// Readable failures.
static void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

namespace vp::testing {
namespace {

const QString advice = QStringLiteral(" Не вводите заново, а исправьте!");

QString messages_of(const Lab& lab)
{
    QString all;
    for (const Message& m : lab.doubles.boxes.shown)
        all += m.title + QStringLiteral(": ") + m.text + QLatin1Char('\n');
    return all;
}

TEST(Form1Input, ARefusedValueBeepsExplainsAndIsReplaced)
{
    struct Case {
        const char* box;
        const char* typed;
        const char* complaint;
        const char* shown;
        double Parameters::*quantity;
        double value;
    };
    const Case cases[] = {
        {"Text1", "-1", "не может быть отрицательной!", "15.4990", &Parameters::massa, 15.499},
        // Accepted as typed, refused once rounded to the box's format.
        {"Text4", "0.30004", "Не может быть <=d1!", "0.3900", &Parameters::diametr_2, 0.39},
        {"Text2", "0.1", "Не может быть меньше внешнего диаметра!", "0.4400", &Parameters::dlina, 0.44},
        {"Text20", "-3", "Должно быть больше 0!", " 40", &Parameters::Tmax, 40},
    };
    for (const Case& c : cases) {
        Lab lab;
        std::size_t tones_before_message = 0;
        lab.doubles.boxes.on_message = [&] { tones_before_message = lab.doubles.tone.lengths.size(); };
        lab.type(c.box, QString::fromLatin1(c.typed));
        ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u) << c.box << "\n" << messages_of(lab).toStdString();
        EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка")) << c.box;
        EXPECT_EQ(lab.doubles.boxes.shown[0].text, QString::fromUtf8(c.complaint) + advice) << c.box;
        EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{300}) << c.box;
        EXPECT_EQ(tones_before_message, 1u) << c.box << ": the beep comes before the box";
        EXPECT_EQ(lab.text(c.box), QString::fromUtf8(c.shown)) << c.box;
        EXPECT_EQ(lab.form->lab().p.*c.quantity, c.value) << c.box;
    }
}

TEST(Form1Input, AWarningIsShownOnceOnly)
{
    struct Case {
        const char* box;
        std::vector<const char*> typed;
        const char* warning;
        int shown;
    };
    const Case cases[] = {
        {"Text1", {"", "5", "", "0"}, "Можно и так! Качается только стержень!", 1},
        {"Text5", {"0.00000004", "0.001", "0"}, "Если хотите вакуум, то задайте и плотность среды=0!", 1},
        // The inner diameter warns again whenever its box has held another value.
        {"Text7", {"0.0000", "0.000", "0.1", "0"}, "Можно и так! Качается шар!", 3},
    };
    for (const Case& c : cases) {
        Lab lab;
        for (const char* text : c.typed)
            lab.type(c.box, QString::fromLatin1(text));
        ASSERT_EQ(lab.doubles.boxes.shown.size(), static_cast<std::size_t>(c.shown)) << c.box << "\n"
                                                                                     << messages_of(lab).toStdString();
        for (const Message& m : lab.doubles.boxes.shown) {
            EXPECT_EQ(m.title, QStringLiteral("Предупреждение")) << c.box;
            EXPECT_EQ(m.text, QString::fromUtf8(c.warning)) << c.box;
        }
        EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>(static_cast<std::size_t>(c.shown), 300)) << c.box;
    }
}

// Keys as the box gets them from the keyboard, one at a time.
void press(QLineEdit* box, Qt::Key key, const QString& text = {}, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent down(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(box, &down);
    QKeyEvent up(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(box, &up);
}

TEST(Form1Input, TypingKeyByKeyGivesTheNumberTyped)
{
    struct Case {
        const char* box;
        int caret; // where the user stands first, -1: the whole text selected
        // Typed text; "<" backspace, ">" delete.
        const char* keys;
        const char* shown;
        double Parameters::*quantity;
        double value;
        std::size_t messages = 0; // a "0" on the way to 0.0015 is a vacuum
    };
    const Case cases[] = {
        // Over the whole text, each key rewritten at once in the box's format.
        {"Text20", -1, "20", " 20", &Parameters::Tmax, 20},
        {"Text20", -1, "15", " 15", &Parameters::Tmax, 15},
        {"Text18", -1, "45", "45.000", &Parameters::fi0, 45},
        {"Text3", -1, "13546", "13546.0000", &Parameters::ro_0, 13546},
        {"Text5", -1, "0.0015", "0.0015000", &Parameters::eta, 0.0015, 1},
        // At the end of a number, in its middle, and deleting.
        {"Text20", 3, "5", " 165", &Parameters::Tmax, 165},
        {"Text1", 3, "7", "15.7499", &Parameters::massa, 15.7499},
        {"Text2", 1, "2", "12.5000", &Parameters::dlina, 12.5},
        {"Text1", 7, "<<1", "15.4910", &Parameters::massa, 15.491},
        {"Text1", 2, ">", "154990.0000", &Parameters::massa, 154990},
        // The blank deleted comes back, and the caret stays before the digits.
        {"Text20", 0, ">2", " 216", &Parameters::Tmax, 216},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.keys);
        Lab lab;
        QLineEdit* box = lab.box(c.box);
        box->setFocus();
        if (c.caret < 0)
            box->selectAll();
        else
            box->setCursorPosition(c.caret);
        for (const char* key = c.keys; *key != '\0'; ++key) {
            if (*key == '<')
                press(box, Qt::Key_Backspace);
            else if (*key == '>')
                press(box, Qt::Key_Delete);
            else
                press(box, Qt::Key_unknown, QString(QLatin1Char(*key)));
        }
        EXPECT_EQ(box->text(), QString::fromLatin1(c.shown));
        EXPECT_EQ(lab.form->lab().p.*c.quantity, c.value);
        EXPECT_EQ(lab.doubles.boxes.shown.size(), c.messages) << messages_of(lab).toStdString();
    }
}

TEST(Form1Input, ZeroValuesHideTheControlsThatLoseTheirMeaning)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> zeroed;
        Group group;
        std::pair<const char*, const char*> restored;
    };
    const Case cases[] = {
        {{{"Text1", "0"}}, Group::sphere, {"Text1", "15.499"}},
        {{{"Text6", "0"}}, Group::rod, {"Text6", "0.5881"}},
        {{{"Text8", "0"}, {"Text34", "0"}}, Group::quadratic_drag, {"Text34", "1.2"}},
        {{{"Text3", "0"}}, Group::medium, {"Text3", "1000"}},
        {{{"Text5", "0"}}, Group::viscosity, {"Text5", "0.001004"}},
    };
    for (const Case& c : cases) {
        Lab lab;
        const auto controls_hidden = [&](bool hidden) {
            for (const Ctl control : group_controls(c.group)) {
                EXPECT_EQ(lab.form->controls()[control]->isHidden(), hidden)
                    << control_name(control) << " after " << c.zeroed[0].first;
            }
        };
        controls_hidden(false);
        for (const auto& [box, text] : c.zeroed)
            lab.type(box, QString::fromLatin1(text));
        controls_hidden(true);
        lab.type(c.restored.first, QString::fromLatin1(c.restored.second));
        controls_hidden(false);
    }
}

TEST(Form1Input, ForASharedControlTheLastHandlerDecides)
{
    struct Case {
        std::vector<std::pair<const char*, const char*>> typed;
        std::vector<const char*> shown;
        std::vector<const char*> hidden;
    };
    const Case cases[] = {
        // The medium is still empty, but the drag pair follows Text8.
        {{{"Text3", "0"}, {"Text8", "0.5"}}, {"Label26", "Label26_2"}, {"Label13"}},
        // A viscous medium again, while the sphere is gone.
        {{{"Text1", "0"}, {"Text5", "0.002"}}, {"Label16", "Label27", "Label28"}, {"Label12", "Label25", "Label13"}},
        {{{"Text5", "0"}, {"Text1", "5"}}, {"Label16", "Label16_2", "Label27", "Label28"}, {}},
    };
    for (const Case& c : cases) {
        Lab lab;
        for (const auto& [box, text] : c.typed)
            lab.type(box, QString::fromLatin1(text));
        for (const char* name : c.shown)
            EXPECT_FALSE(lab.widget(name)->isHidden()) << name;
        for (const char* name : c.hidden)
            EXPECT_TRUE(lab.widget(name)->isHidden()) << name;
    }
}

TEST(Form1Input, AnAcceptedEditRecomputesAndRedraws)
{
    Lab lab;
    const std::uint64_t plane_before = lab.form->controls().Picture1->canvas().generation();
    lab.type("Text1", QStringLiteral("10"));
    EXPECT_EQ(lab.text("Label12"), system_separator(QStringLiteral("   =2.984E+02 кг/м3")));
    EXPECT_NE(lab.form->controls().Picture1->canvas().generation(), plane_before);

    const double shag_before = lab.form->lab().c.shag;
    lab.type("Text2", QStringLiteral("3"));
    EXPECT_EQ(lab.text("Text2"), QStringLiteral("3.0000"));
    EXPECT_NE(lab.form->lab().c.shag, shag_before);
    EXPECT_NE(lab.text("Label23"), system_separator(QStringLiteral("To = 2.171E+00 c")));
    EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << messages_of(lab).toStdString();
}

TEST(Form1Input, BoxesReadAndWriteAPointWhateverTheLocale)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Russian, QLocale::Russia)}) {
        LocaleForTest in(locale);
        Lab lab;
        lab.type("Text1", QStringLiteral("1,5"));
        EXPECT_EQ(lab.form->lab().p.massa, 1);
        EXPECT_EQ(lab.text("Text1"), QStringLiteral("1.0000"));
        lab.type("Text1", QStringLiteral("2.5"));
        EXPECT_EQ(lab.form->lab().p.massa, 2.5);
        EXPECT_EQ(lab.text("Text1"), QStringLiteral("2.5000"));
        lab.type("Text20", QStringLiteral("0.5"));
        EXPECT_EQ(lab.text("Text20"), QStringLiteral(" .5"));

        // The characteristics follow the locale, but for the three that always
        // show a point.
        const QString separator = locale.decimalPoint();
        EXPECT_EQ(lab.text("Label12"), QStringLiteral("   =7") + separator + QStringLiteral("460E+01 кг/м3"));
        EXPECT_EQ(lab.text("Label14"), QStringLiteral("  _s= 7.800e+03 кг/м3"));
    }
}

// The parameter file.

struct Field {
    const char* label;
    const char* value;
};

// One line per quantity (label, value, remark) in the loader's order, then
// a closing line.
QByteArray parameter_file(const std::map<int, const char*>& changed = {})
{
    const Field defaults[] = {
        {"Масса сферы m (кг)", "15.499"},
        {"d2 (м)", "0.4"},
        {"d1 (м)", "0.3"},
        {"c сферы", "0.47"},
        {"L (м)", "1.5"},
        {"M (кг)", "0.5881"},
        {"D (м)", "0.008"},
        {"c стержня", "1.2"},
        {"ro (кг/м3)", "1000"},
        {"eta (Па·с)", "0.001004"},
        {"fi0 (°)", "37"},
        {"wz0 (рад/с)", "-3.5"},
        {"T (с)", "16"},
    };
    QByteArray bytes;
    for (int i = 0; i < 13; ++i) {
        const auto it = changed.find(i);
        bytes += QByteArray(defaults[i].label) + ", " + (it == changed.end() ? defaults[i].value : it->second) +
                 ", примечание\r\n";
    }
    return bytes + "Конец\r\n";
}

void write_file(const Lab& lab, const QByteArray& bytes)
{
    QFile file(lab.folder.filePath(QStringLiteral("vibrel_in.txt")));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

const char* const box_names[13] = {"Text1",  "Text4", "Text7", "Text8",  "Text2",  "Text6", "Text9",
                                   "Text34", "Text3", "Text5", "Text18", "Text19", "Text20"};

TEST(Form1ParameterFile, TheDefaultsLeaveTheLaboratoryAsItStarted)
{
    Lab lab;
    const Parameters before = lab.form->lab().p;
    std::vector<QString> texts_before;
    for (const char* name : box_names)
        texts_before.push_back(lab.text(name));
    std::vector<QString> Text4_texts;
    QObject::connect(lab.box("Text4"), &QLineEdit::textChanged, [&](const QString& t) { Text4_texts.push_back(t); });

    write_file(lab, parameter_file());
    lab.form->Label10_Click();

    EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << messages_of(lab).toStdString();
    for (std::size_t i = 0; i < 13; ++i)
        EXPECT_EQ(lab.text(box_names[i]), texts_before[i]) << box_names[i];
    // The reader's three decimals, rewritten by the box in its own four.
    EXPECT_EQ(Text4_texts.size(), 2u);
    EXPECT_NE(std::find(Text4_texts.begin(), Text4_texts.end(), QStringLiteral("0.400")), Text4_texts.end());
    const Parameters& after = lab.form->lab().p;
    for (const QuantityRow& row : quantity_table())
        EXPECT_EQ(quantity(after, row.quantity), quantity(before, row.quantity)) << row.box;
}

TEST(Form1ParameterFile, ValuesGoThroughTheirBoxes)
{
    struct Case {
        const char* what;
        std::map<int, const char*> changed;
        std::vector<std::pair<const char*, const char*>> shown;
        std::vector<std::pair<double Parameters::*, double>> values;
        std::vector<const char*> errors;
    };
    const Case cases[] = {
        {"three decimals for Tmax", {{12, "16.5678"}}, {{"Text20", " 16.568"}}, {{&Parameters::Tmax, 16.568}}, {}},
        {"an unchanged text keeps the file's value",
         {{0, "15.49904"}},
         {{"Text1", "15.4990"}},
         {{&Parameters::massa, 15.49904}},
         {}},
        {"the outer diameter is checked against the old inner one",
         {{1, "0.2"}, {2, "0.1"}},
         {{"Text4", "0.3900"}, {"Text7", "0.1000"}},
         {{&Parameters::diametr_2, 0.39}, {&Parameters::diametr_1, 0.1}, {&Parameters::r_shar_2, 0.195}},
         {"Не может быть <=d1!"}},
        {"no motion from rest at zero",
         {{10, "0"}, {11, "0"}},
         {{"Text18", "0.000"}, {"Text19", "-1.123"}},
         {{&Parameters::fi0, 0}, {&Parameters::wz0, -1.123}},
         {"При нулевых начальных условиях колебаний не будет!"}},
        // The length's text does not change, but it is checked against the
        // outer diameter placed before it, as a typed length would be.
        {"a rod shorter than the new outer diameter",
         {{1, "2"}},
         {{"Text4", "2.0000"}, {"Text2", "2.2000"}},
         {{&Parameters::dlina, 2.2}},
         {"Не может быть меньше внешнего диаметра!"}},
        {"eight decimals end as seven",
         {{9, "0.00123456"}},
         {{"Text5", "0.0012346"}},
         {{&Parameters::eta, 0.0012346}},
         {}},
    };
    for (const Case& c : cases) {
        Lab lab;
        write_file(lab, parameter_file(c.changed));
        lab.form->Label10_Click();
        for (const auto& [box, text] : c.shown)
            EXPECT_EQ(lab.text(box), QString::fromUtf8(text)) << c.what << ": " << box;
        for (const auto& [q, value] : c.values)
            EXPECT_DOUBLE_EQ(lab.form->lab().p.*q, value) << c.what;
        ASSERT_EQ(lab.doubles.boxes.shown.size(), c.errors.size()) << c.what << "\n" << messages_of(lab).toStdString();
        for (std::size_t i = 0; i < c.errors.size(); ++i) {
            EXPECT_EQ(lab.doubles.boxes.shown[i].title, QStringLiteral("Ошибка")) << c.what;
            EXPECT_EQ(lab.doubles.boxes.shown[i].text, QString::fromUtf8(c.errors[i]) + advice) << c.what;
        }
    }
}

TEST(Form1ParameterFile, TheValuesChangeTheCharacteristics)
{
    Lab lab;
    write_file(lab, parameter_file({{0, "44.17"}, {1, "0.32"}, {2, "0.28"}, {8, "961"}, {9, "0.99"}}));
    lab.form->Label10_Click();
    EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << messages_of(lab).toStdString();
    EXPECT_EQ(lab.text("Text1"), QStringLiteral("44.1700"));
    EXPECT_EQ(lab.text("Text5"), QStringLiteral("0.9900000"));
    EXPECT_EQ(lab.text("Label12"), system_separator(QStringLiteral("   =2.574E+03 кг/м3")));
}

TEST(Form1ParameterFile, AMissingFileIsReportedAndChangesNothing)
{
    Lab lab;
    const Parameters before = lab.form->lab().p;
    // A click of the heading, as the mouse gives it.
    QLabel* heading = lab.form->controls().Label10;
    const QPointF inside(heading->width() / 2.0, heading->height() / 2.0);
    const QPointF global = heading->mapToGlobal(inside);
    QMouseEvent down(QEvent::MouseButtonPress, inside, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent up(QEvent::MouseButtonRelease, inside, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(heading, &down);
    QCoreApplication::sendEvent(heading, &up);
    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u);
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_TRUE(lab.doubles.boxes.shown[0].text.contains(QStringLiteral("vibrel_in.txt")))
        << lab.doubles.boxes.shown[0].text.toStdString();
    EXPECT_EQ(lab.doubles.tone.lengths, std::vector<int>{300});
    EXPECT_EQ(lab.form->lab().p.massa, before.massa);
    EXPECT_EQ(lab.text("Text1"), QStringLiteral("15.4990"));
}

TEST(Form1ParameterFile, AFileThatEndsEarlyKeepsTheValuesPlaced)
{
    Lab lab;
    QByteArray bytes = parameter_file({{0, "20"}, {1, "0.5"}, {2, "0.2"}, {3, "0.3"}});
    // Ends in the middle of the fourth line, after its value.
    bytes.truncate(bytes.indexOf("0.3,") + 3);
    write_file(lab, bytes);
    QString Text7_at_message;
    lab.doubles.boxes.on_message = [&] { Text7_at_message = lab.text("Text7"); };
    lab.form->Label10_Click();

    ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u) << messages_of(lab).toStdString();
    EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
    EXPECT_TRUE(lab.doubles.boxes.shown[0].text.contains(QStringLiteral("vibrel_in.txt")));
    EXPECT_EQ(Text7_at_message, QStringLiteral("0.2000")) << "the values are placed before the message";
    const std::pair<const char*, const char*> shown[] = {
        {"Text1", "20.0000"}, {"Text4", "0.5000"}, {"Text7", "0.2000"}, {"Text8", "0.300"}, {"Text2", "1.5000"}};
    for (const auto& [box, text] : shown)
        EXPECT_EQ(lab.text(box), QString::fromUtf8(text)) << box;
    EXPECT_EQ(lab.form->lab().p.c_shar, 0.3);
    EXPECT_EQ(lab.form->lab().p.dlina, 1.5);
}

TEST(Form1ParameterFile, OnlyAParameterFileChangesTheParameters)
{
    const QByteArray usual = parameter_file({{0, "20"}});
    // "Unicode" as editors save it: UTF-16 with its byte-order mark.
    QStringEncoder to_utf16(QStringConverter::Utf16LE);
    const QByteArray utf16 = QByteArray("\xFF\xFE") + QByteArray(to_utf16.encode(QString::fromUtf8(usual)));
    struct Case {
        const char* what;
        QByteArray bytes;
        const char* refusal; // none: loaded
    };
    const Case cases[] = {
        {"UTF-16 with its mark", utf16, nullptr},
        {"a parameter file at the head of 2 MB", usual + QByteArray(2 << 20, 'x'),
         "Файл vibrel_in.txt не похож на файл параметров: он больше 1 МБ! Параметры не загружены."},
        {"UTF-16 without its mark", utf16.mid(2),
         "Файл vibrel_in.txt не похож на файл параметров: в нём есть нулевые байты, каких в тексте не бывает! "
         "Параметры не загружены."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Lab lab;
        write_file(lab, c.bytes);
        lab.form->Label10_Click();
        if (!c.refusal) {
            EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << messages_of(lab).toStdString();
            EXPECT_EQ(lab.text("Text1"), QStringLiteral("20.0000"));
            continue;
        }
        ASSERT_EQ(lab.doubles.boxes.shown.size(), 1u) << messages_of(lab).toStdString();
        EXPECT_EQ(lab.doubles.boxes.shown[0].title, QStringLiteral("Ошибка"));
        EXPECT_EQ(lab.doubles.boxes.shown[0].text, QString::fromUtf8(c.refusal));
        EXPECT_EQ(lab.text("Text1"), QStringLiteral("15.4990"));
        EXPECT_EQ(lab.form->lab().p.massa, 15.499);
    }
}

TEST(Form1ParameterFile, TheSampleShippedWithTheDocumentsLoads)
{
    const QString sample =
        QFileInfo(QString::fromUtf8(__FILE__)).dir().filePath(QStringLiteral("../../docs/vibrel_in.txt"));
    QFile file(sample);
    if (!file.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "no sample at " << sample.toStdString();
    Lab lab;
    write_file(lab, file.readAll());
    lab.form->Label10_Click();
    EXPECT_TRUE(lab.doubles.boxes.shown.empty()) << messages_of(lab).toStdString();
    const std::pair<const char*, const char*> shown[] = {
        {"Text1", "44.1700"}, {"Text4", "0.3200"}, {"Text7", "0.2800"}, {"Text8", "0.470"},    {"Text2", "1.2000"},
        {"Text6", "0.7350"},  {"Text9", "0.0100"}, {"Text34", "1.200"}, {"Text3", "961.0000"}, {"Text5", "0.9900000"},
        {"Text18", "30.000"}, {"Text19", "0.000"}, {"Text20", " 20"},
    };
    for (const auto& [box, text] : shown)
        EXPECT_EQ(lab.text(box), QString::fromUtf8(text)) << box;
    EXPECT_TRUE(motion_defined(lab.form->lab().c));
}

} // namespace
} // namespace vp::testing
