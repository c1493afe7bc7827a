// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/parameter_file.h"

#include "tests/input/box_window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <fcntl.h>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vp {
namespace {

using namespace std::string_literals;
using test::BoxWindow;

// A parameter file of the usual shape: one line "label, value, remark" per
// quantity, then one closing line.
std::string parameter_file(const std::vector<std::string>& values, const std::string& line_end = "\r\n")
{
    std::string file;
    for (std::size_t i = 0; i < values.size(); ++i)
        file += "Величина " + std::to_string(i + 1) + ", " + values[i] + ", примечание" + line_end;
    return file + "Конец файла" + line_end;
}

const std::vector<std::string> defaults = {"15.499", "0.4",  "0.3",      "0.47", "1.5",  "0.5881", "0.008",
                                           "1.2",    "1000", "0.001004", "37",   "-3.5", "16"};

std::vector<std::string> defaults_with(std::size_t index, const std::string& value)
{
    std::vector<std::string> values = defaults;
    values[index] = value;
    return values;
}

struct FieldCase {
    const char* what;
    std::string bytes;
    std::vector<std::string> values;
    int fields_read;
};

TEST(FieldReader, SplitsFields)
{
    const FieldCase cases[] = {
        {"comma", "x,1.5", {"1.5"}, 2},
        {"blanks and tabs around", "x,  \t1.5 \t,y", {"1.5"}, 3},
        {"quoted with a comma, tail dropped", "x,\"1,5\" tail,y", {"1,5"}, 3},
        {"quoted across a line end", "x,\"a\r\nb\",y", {"a\r\nb"}, 3},
        {"unclosed quote runs to the end", "x,\"a,b\r\nc", {"a,b\r\nc"}, 2},
        {"empty line is one field", "x\r\n\r\ny", {""}, 3},
        {"LF", "x\n1.5\n", {"1.5"}, 2},
        {"CR", "x\r1.5\r", {"1.5"}, 2},
        {"CR LF", "x\r\n1.5\r\n", {"1.5"}, 2},
        {"LF CR is two line ends", "x\n\r1.5", {""}, 3},
        {"byte-order mark", "\xEF\xBB\xBFx,1.5", {"1.5"}, 2},
        {"any bytes in a discarded field", "\xFF\0\x80\x01,7"s, {"7"}, 2},
        {"empty file", "", {}, 0},
        {"blanks only", " \t ", {}, 0},
        {"nothing after the last comma", "x,", {}, 1},
        {"comma before a line end", "x,\r\n", {""}, 2},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.what);
        const FieldReading r = read_parameter_fields(c.bytes);
        EXPECT_EQ(r.values, c.values);
        EXPECT_EQ(r.fields_read, c.fields_read);
        EXPECT_LT(r.fields_read, parameter_file_fields);
    }
}

TEST(FieldReader, ReadsFortyFieldsAndNoMore)
{
    std::string bytes;
    for (int i = 1; i <= 45; ++i)
        bytes += std::to_string(i) + (i % 3 == 0 ? "\n" : ",");
    const FieldReading r = read_parameter_fields(bytes);
    EXPECT_EQ(r.fields_read, 40);
    EXPECT_EQ(r.fields_read, parameter_file_fields);
    std::vector<std::string> expected;
    for (int field = 2; field <= 38; field += 3)
        expected.push_back(std::to_string(field));
    EXPECT_EQ(r.values, expected);

    const FieldReading usual = read_parameter_fields(parameter_file(defaults));
    EXPECT_EQ(usual.values, defaults);
    EXPECT_EQ(usual.fields_read, parameter_file_fields);
}

TEST(FieldPlacement, StoresTheNumberAndWritesTheReadersFormat)
{
    const struct {
        Quantity box;
        const char* field;
        double value;
        const char* text;
    } cases[] = {
        {Quantity::massa, "15.499", 15.499, "15.4990"},
        {Quantity::diametr_2, "0.4", 0.4, "0.400"},
        {Quantity::diametr_1, "0.3", 0.3, "0.300"},
        {Quantity::eta, "0.001004", 0.001004, "0.00100400"},
        {Quantity::Tmax, "16.5678", 16.5678, "16.568"},
        {Quantity::wz0, "-3.5e0", -3.5, "-3.500"},
        {Quantity::massa, "", 0, "0.0000"},
        {Quantity::massa, "кг", 0, "0.0000"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const FieldPlacement placement = place_field(c.box, c.field);
        ASSERT_TRUE(placement.value);
        EXPECT_EQ(*placement.value, c.value);
        EXPECT_EQ(placement.text, c.text);
    }
    // Beyond a double nothing is stored and the box gets the number itself.
    EXPECT_EQ(place_field(Quantity::massa, "1e999").text, "1e999");
    EXPECT_FALSE(place_field(Quantity::massa, "1e999").value);
    EXPECT_EQ(place_field(Quantity::fi0, "- 1 e 999 градусов").text, "-1e999");
}

TEST(Loading, DefaultsLeaveTheModelAsAfterStartUp)
{
    BoxWindow w;
    w.start_up();
    const Parameters before = w.p;
    std::array<std::string, quantity_count> texts;
    for (const QuantityRow& row : quantity_table())
        texts[static_cast<std::size_t>(row.quantity)] = w.text(row.quantity);

    w.load(parameter_file(defaults));
    EXPECT_TRUE(w.messages.empty());
    for (const QuantityRow& row : quantity_table()) {
        EXPECT_EQ(w.text(row.quantity), texts[static_cast<std::size_t>(row.quantity)]) << row.box;
        EXPECT_EQ(quantity(w.p, row.quantity), quantity(before, row.quantity)) << row.box;
    }
    // The reader's three decimals pass through the box before its own four.
    const std::vector<std::string>& text4 = w.history[static_cast<std::size_t>(Quantity::diametr_2)];
    ASSERT_GE(text4.size(), 2u);
    EXPECT_EQ(text4[text4.size() - 2], "0.400");
    EXPECT_EQ(text4.back(), "0.4000");
}

TEST(Loading, EachValueIsCheckedAgainstTheOthersAsTheyStand)
{
    {
        SCOPED_TRACE("d2 is placed while d1 is still the old one");
        BoxWindow w;
        w.start_up();
        std::vector<std::string> values = defaults_with(1, "0.2");
        values[2] = "0.1";
        w.load(parameter_file(values));
        EXPECT_EQ(w.message_texts(), (std::vector<std::string>{"Не может быть <=d1! Не вводите заново, а исправьте!"}));
        EXPECT_EQ(w.p.diametr_2, 0.39);
        EXPECT_EQ(w.p.diametr_1, 0.1);
    }
    {
        SCOPED_TRACE("fi0 = 0 is accepted, then wz0 = 0 is not");
        BoxWindow w;
        w.start_up();
        std::vector<std::string> values = defaults_with(10, "0");
        values[11] = "0";
        w.load(parameter_file(values));
        EXPECT_EQ(w.message_texts(),
                  (std::vector<std::string>{
                      "При нулевых начальных условиях колебаний не будет! Не вводите заново, а исправьте!"}));
        EXPECT_EQ(w.p.fi0, 0);
        EXPECT_EQ(w.p.wz0, -1.123);
    }
}

TEST(Loading, TextsAndValuesAtTheEdges)
{
    {
        SCOPED_TRACE("Tmax passes the reader's format");
        BoxWindow w;
        w.start_up();
        w.load(parameter_file(defaults_with(12, "16.5678")));
        const std::vector<std::string>& text20 = w.history[static_cast<std::size_t>(Quantity::Tmax)];
        EXPECT_EQ(text20[text20.size() - 2], "16.568");
        EXPECT_EQ(w.text(Quantity::Tmax), " 16.568");
        EXPECT_EQ(w.p.Tmax, 16.568);
    }
    {
        SCOPED_TRACE("an unchanged text runs no handler");
        BoxWindow w;
        w.start_up();
        const std::size_t texts_before = w.history[static_cast<std::size_t>(Quantity::massa)].size();
        w.load(parameter_file(defaults_with(0, "15.49904")));
        EXPECT_EQ(w.history[static_cast<std::size_t>(Quantity::massa)].size(), texts_before);
        EXPECT_EQ(w.p.massa, 15.49904);
    }
    {
        SCOPED_TRACE("beyond a double the box's handler refuses it");
        BoxWindow w;
        w.start_up();
        w.load(parameter_file(defaults_with(0, "1e999")));
        EXPECT_EQ(w.message_texts(),
                  (std::vector<std::string>{"не может быть такой большой! Не вводите заново, а исправьте!"}));
        EXPECT_EQ(w.p.massa, 15.499);
    }
    {
        SCOPED_TRACE("a decimal comma shifts every later field");
        BoxWindow w;
        w.start_up();
        const FieldReading r = w.load(parameter_file(defaults_with(0, "1,5")));
        EXPECT_EQ(r.values[0], "1");
        EXPECT_EQ(r.values[1], "Величина 2");
        EXPECT_EQ(w.p.massa, 1);
        ASSERT_FALSE(w.messages.empty());
        EXPECT_EQ(w.messages[0].text, "Не может быть отрицательным или 0! Не вводите заново, а исправьте!");
    }
}

TEST(Loading, AValueUnderAnUnchangedTextStandsOnlyWhereItPassesTheBoxsRules)
{
    struct Case {
        const char* what;
        std::vector<std::string> values;
        int loadings;
        std::vector<std::string> messages; // of the last loading
        Quantity q;
        double value;
        std::string text;
    };
    const Case cases[] = {
        // The first loading shows 0.0000 and warns; the second finds that
        // text again and, as a typed -0.00001 would, refuses the number.
        {"a negative mass",
         defaults_with(0, "-0.00001"),
         2,
         {"не может быть отрицательной! Не вводите заново, а исправьте!"},
         Quantity::massa,
         15.499,
         "15.4990"},
        {"a mass too small to show ends as the 0 shown",
         defaults_with(0, "1e-320"),
         2,
         {},
         Quantity::massa,
         0,
         "0.0000"},
        {"a zero mass under its 0.0000 stands", defaults_with(0, "0"), 2, {}, Quantity::massa, 0, "0.0000"},
        {"a legal value stands unrounded", defaults_with(0, "15.49904"), 1, {}, Quantity::massa, 15.49904, "15.4990"},
        {"a drag coefficient too small to show",
         defaults_with(3, "-0.0001"),
         2,
         {"Не может быть отрицательным! Не вводите заново, а исправьте!"},
         Quantity::c_shar,
         0.47,
         "0.470"},
        // The length's text is unchanged, but the outer diameter placed
        // before it has grown past it.
        {"a rod shorter than the new outer diameter",
         defaults_with(1, "2"),
         1,
         {"Не может быть меньше внешнего диаметра! Не вводите заново, а исправьте!"},
         Quantity::dlina,
         2.2,
         "2.2000"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BoxWindow w;
        w.start_up();
        for (int i = 0; i < c.loadings; ++i) {
            w.messages.clear();
            w.load(parameter_file(c.values));
        }
        EXPECT_EQ(w.message_texts(), c.messages);
        EXPECT_EQ(quantity(w.p, c.q), c.value);
        EXPECT_EQ(w.text(c.q), c.text);
        EXPECT_FALSE(w.runaway);
    }
}

// The text in UTF-16 with its byte-order mark, as editors save "Unicode".
std::string utf16(const std::string& ascii, bool little_endian)
{
    std::string bytes = little_endian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : ascii) {
        bytes += little_endian ? std::string{c, '\0'} : std::string{'\0', c};
    }
    return bytes;
}

TEST(Loading, AFileThatIsNoParameterFileIsRefusedWhole)
{
    // Bytes from a fixed generator, as a file of random bytes.
    std::string random(1000000, '\0');
    unsigned state = 12345;
    for (char& c : random) {
        state = state * 1103515245 + 12345;
        c = static_cast<char>(state >> 24);
    }
    // The Cyrillic remarks are not ASCII; the numbers, the commas and the
    // line ends are, and they are what is read.
    std::string latin_file;
    for (const std::string& value : defaults_with(0, "20"))
        latin_file += "quantity, " + value + ", remark\r\n";
    const std::string refused = "Файл vibrel_in.txt не похож на файл параметров: ";
    const std::string unchanged = "! Параметры не загружены.";
    struct Case {
        const char* what;
        std::string bytes;
        std::string message; // empty: loaded, with a mass of 20
    };
    const Case cases[] = {
        {"UTF-16 with its mark, little-endian", utf16(latin_file, true), ""},
        {"UTF-16 with its mark, big-endian", utf16(latin_file, false), ""},
        {"UTF-16 without its mark", utf16(latin_file, true).substr(2),
         refused + "в нём есть нулевые байты, каких в тексте не бывает" + unchanged},
        {"a NUL among the text", latin_file.substr(0, 40) + '\0' + latin_file.substr(40),
         refused + "в нём есть нулевые байты, каких в тексте не бывает" + unchanged},
        {"random bytes", random, refused + "в нём есть нулевые байты, каких в тексте не бывает" + unchanged},
        {"a million empty lines", std::string(1000000, '\n'),
         refused + "ни одно из его значений (поля 2, 5, 8, …, 38) не начинается с числа" + unchanged},
        {"labels without numbers", parameter_file(std::vector<std::string>(13, "кг")),
         refused + "ни одно из его значений (поля 2, 5, 8, …, 38) не начинается с числа" + unchanged},
        {"more than a MiB before the fortieth field", "label, 20, " + std::string(max_parameter_file_bytes, ' ') + "x",
         refused + "он больше 1 МБ" + unchanged},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        BoxWindow w;
        w.start_up();
        const Parameters before = w.p;
        w.load(c.bytes);
        if (c.message.empty()) {
            EXPECT_TRUE(w.messages.empty()) << w.messages.front().text;
            EXPECT_EQ(w.p.massa, 20);
            continue;
        }
        EXPECT_EQ(w.message_texts(), std::vector<std::string>{c.message});
        EXPECT_EQ(w.messages[0].title(), "Ошибка");
        for (const QuantityRow& row : quantity_table())
            EXPECT_EQ(quantity(w.p, row.quantity), quantity(before, row.quantity)) << row.name;
    }
    // A surrogate pair and a lone surrogate, decoded into UTF-8.
    const FieldReading pair =
        read_parameter_fields(utf16("x,1.5", true).insert(6, std::string("\x3D\xD8\x00\xDE\x00\xDC", 6)));
    EXPECT_EQ(pair.values, std::vector<std::string>{"\xF0\x9F\x98\x80\xEF\xBF\xBD"
                                                    "1.5"});
    EXPECT_FALSE(pair.nul);
}

TEST(FieldReader, AFileThatGrowsWhileItIsReadIsReadOnlyToTheBound)
{
    // A regular file that another writer keeps appending one endless field
    // to, faster than it is read: the reader stops at its bound and returns.
    char name[] = "/tmp/vibrel_in_growing_XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    const int writer_fd = ::open(name, O_WRONLY | O_APPEND);
    ASSERT_GE(writer_fd, 0);
    std::atomic<bool> stop{false};
    std::atomic<std::size_t> appended{0};
    std::thread writer([&] {
        const std::string piece(4096, 'x');
        // A bound of its own, should the reader never stop; the file holds
        // more than the reader's bound by then, however slow the reader.
        while (!stop && appended < (std::size_t{64} << 20)) {
            const ssize_t n = ::write(writer_fd, piece.data(), piece.size());
            if (n <= 0)
                break;
            appended += static_cast<std::size_t>(n);
        }
        stop = true;
    });
    std::size_t read_bytes = 0;
    const FieldReading r = read_parameter_fields([&](char* buffer, std::size_t size) {
        // Where the reader catches up with the writer it waits for more, as
        // if the writer were always ahead.
        for (;;) {
            const ssize_t n = ::read(fd, buffer, size);
            if (n > 0 || stop) {
                read_bytes += n > 0 ? static_cast<std::size_t>(n) : 0;
                return n > 0 ? static_cast<std::size_t>(n) : std::size_t{0};
            }
            std::this_thread::yield();
        }
    });
    stop = true;
    writer.join();
    ::close(writer_fd);
    ::close(fd);
    ::unlink(name);
    EXPECT_TRUE(r.too_large);
    EXPECT_EQ(read_bytes, max_parameter_file_bytes + 1);
    const std::optional<Message> refusal = parameter_file_refusal(r);
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->text, parameter_file_too_large().text);
}

TEST(Loading, AShortFileStillPlacesWhatItHolds)
{
    BoxWindow w;
    w.start_up();
    std::vector<std::string> values = defaults_with(0, "20");
    values[4] = "2";
    values.resize(5);
    // Five lines of three fields and no closing line.
    std::string file = parameter_file(values);
    file.erase(file.rfind("Конец"));
    const FieldReading r = w.load(file);
    EXPECT_EQ(r.fields_read, 15);
    EXPECT_EQ(r.values.size(), 5u);
    EXPECT_EQ(w.p.massa, 20);
    EXPECT_EQ(w.p.dlina, 2);
    ASSERT_EQ(w.messages.size(), 1u);
    EXPECT_EQ(w.messages[0].title(), "Ошибка");
    EXPECT_EQ(w.messages[0].text,
              "Файл vibrel_in.txt кончился после поля 15 из 40! Загружено значений: 5 из 13. Исправьте файл!");
    EXPECT_EQ(parameter_file_ended_early(read_parameter_fields("")).text,
              "Файл vibrel_in.txt пуст! Параметры не загружены.");
}

TEST(Loading, ThirteenLinesWithoutTheClosingOneAreAWholeFile)
{
    // Fields 39 and 40 are never used: a file that ends after its 13th line
    // has given everything.
    BoxWindow w;
    w.start_up();
    std::string file = parameter_file(defaults_with(0, "20"));
    file.erase(file.rfind("Конец"));
    const FieldReading r = w.load(file);
    EXPECT_EQ(r.fields_read, 39);
    EXPECT_EQ(r.values.size(), 13u);
    EXPECT_EQ(w.p.massa, 20);
    EXPECT_TRUE(w.messages.empty()) << w.messages.front().text;
}

// A source of bytes made up as they are asked for, counting what it gave.
struct MadeUpFile {
    std::string head;  // given first
    char filler = 'x'; // then this, for `filler_bytes` bytes
    std::size_t filler_bytes = 0;
    std::string tail; // then this, endlessly repeated
    std::size_t given = 0;

    std::size_t operator()(char* buffer, std::size_t size)
    {
        std::size_t n = 0;
        for (; n < size; ++n, ++given) {
            if (given < head.size())
                buffer[n] = head[given];
            else if (given < head.size() + filler_bytes)
                buffer[n] = filler;
            else if (!tail.empty())
                buffer[n] = tail[(given - head.size() - filler_bytes) % tail.size()];
            else
                break;
        }
        return n;
    }
};

TEST(FieldReader, ReadsAStreamOnlyAsFarAsTheFortiethFieldOrItsBoundAndCutsLongFields)
{
    // Half a MiB of one unbroken field, then an endless run of short ones:
    // the field is kept to its first 4 KiB, and the reading stops at field
    // 40.
    MadeUpFile file{"label,", 'x', 512u << 10, "1,", 0};
    const FieldReading r = read_parameter_fields(std::ref(file));
    EXPECT_EQ(r.fields_read, 40);
    EXPECT_FALSE(r.too_large);
    ASSERT_EQ(r.values.size(), 13u);
    EXPECT_EQ(r.values[0], std::string(max_field_length, 'x'));
    EXPECT_EQ(r.values[12], "1");
    // Past the long field only the 38 short ones and one piece of look-ahead.
    EXPECT_LT(file.given, (512u << 10) + 6 + 64 * 1024);

    // An endless field: read up to the bound and a byte, not a byte more.
    MadeUpFile endless{"label,", 'x', std::size_t{1} << 40, "", 0};
    const FieldReading e = read_parameter_fields(std::ref(endless));
    EXPECT_TRUE(e.too_large);
    EXPECT_EQ(endless.given, max_parameter_file_bytes + 1);

    // A quoted field that never closes, and a source that gives a byte at a
    // time, with the byte-order mark split across its pieces.
    MadeUpFile quoted{"\"", 'y', 512u << 10, "", 0};
    const FieldReading q = read_parameter_fields(std::ref(quoted));
    EXPECT_EQ(q.fields_read, 1);
    std::string bom_file = "\xEF\xBB\xBFx,1.5";
    std::size_t at = 0;
    const FieldReading b = read_parameter_fields([&](char* buffer, std::size_t) {
        if (at == bom_file.size())
            return std::size_t{0};
        buffer[0] = bom_file[at++];
        return std::size_t{1};
    });
    EXPECT_EQ(b.values, std::vector<std::string>{"1.5"});
}

} // namespace
} // namespace vp
