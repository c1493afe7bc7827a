// SPDX-License-Identifier: GPL-3.0-or-later
// viscous-pendulum-batch: its options, and what it writes and answers for
// files that are missing, runs that are refused and wrong command lines.
#include "batch/batch_command.h"
#include "batch/batch_options.h"
#include "series/answer_key.h"
#include "series/point_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <sstream>

namespace vp {
namespace {

TEST(BatchOptions, TheCommandLineTable)
{
    struct Case {
        std::vector<std::string> words;
        const char* error; // "" for a right line
        std::function<bool(const BatchOptions&)> holds;
    };
    const Case cases[] = {
        {{}, "", [](const BatchOptions& o) { return o.parameter_file == "vibrel_in.txt" && !o.vary && !o.results; }},
        {{"--results", "out.txt", "v.txt"},
         "",
         [](const BatchOptions& o) { return o.results == "out.txt" && o.parameter_file == "v.txt"; }},
        {{"--csv=a.csv", "--excel", "--threads", "3"},
         "",
         [](const BatchOptions& o) { return o.csv == "a.csv" && o.excel && o.threads == 3; }},
        {{"--vary", "eta=0.001:10:20:log"},
         "",
         [](const BatchOptions& o) {
             return o.vary->quantity == Quantity::eta && o.vary->values.values.size() == 20 &&
                    o.vary->values.spacing == Spacing::logarithmic && o.vary->values.values.back() == 10 &&
                    o.series_to_standard_output();
         }},
        {{"--vary=fi0=-10:30:5"},
         "",
         [](const BatchOptions& o) {
             return o.vary->quantity == Quantity::fi0 &&
                    o.vary->values.values == std::vector<double>{-10, 0, 10, 20, 30};
         }},
        {{"--vary", "Tmax=2,4.5,8"},
         "",
         [](const BatchOptions& o) {
             return o.vary->values.values == std::vector<double>{2, 4.5, 8};
         }},
        {{"--threshold", "massa", "--", "-file"},
         "",
         [](const BatchOptions& o) { return o.threshold == Quantity::massa && o.parameter_file == "-file"; }},
        {{"-h"}, "", [](const BatchOptions& o) { return o.help; }},
        {{"--frobnicate"}, "неизвестный параметр «--frobnicate»", nullptr},
        {{"--results"}, "--results: не хватает аргумента ФАЙЛ", nullptr},
        {{"--excel=yes"}, "--excel не принимает аргумента", nullptr},
        {{"a.txt", "b.txt"}, "лишний аргумент «b.txt»: файл параметров уже назван", nullptr},
        {{"--threads", "0"}, "--threads: ожидается целое число от 1 до 1024, а не «0»", nullptr},
        {{"--vary", "eta"}, "--vary: ожидается ИМЯ=ОТ:ДО:N[:log] или ИМЯ=ЗНАЧЕНИЕ,ЗНАЧЕНИЕ,...", nullptr},
        {{"--vary", "eta=1:2"}, "--vary: «1:2» — ожидается ОТ:ДО:N[:log]", nullptr},
        {{"--vary", "eta=0:2:5:log"},
         "--vary: Для логарифмического шага начало и конец ряда должны быть одного знака и не равны 0!",
         nullptr},
        {{"--vary", "eta=1:2:1"}, "--vary: Число точек должно быть от 2 до 1000!", nullptr},
        {{"--threshold", "viscosity"},
         "--threshold: неизвестная величина «viscosity»; величины: massa, diametr_2, diametr_1, c_shar, dlina, "
         "massa_st, diametr_s, c_ster, ro_0, eta, fi0, wz0, Tmax",
         nullptr},
        {{"--vary", "eta=1:2:3", "--threshold", "eta"},
         "--threshold вместе с --vary: таблице серии нужен свой файл, --csv ФАЙЛ",
         nullptr},
        {{"--variants", "3", "--vary", "fi0=10:40", "--seed=18446744073709551615", "--vary", "eta=0.5:2", "--out", "v"},
         "",
         [](const BatchOptions& o) {
             return o.variants == 3 && o.seed == 18446744073709551615ULL && o.out == "v" && o.ranges.size() == 2 &&
                    o.ranges[0].quantity == Quantity::fi0 && o.ranges[1].to == 2 && !o.vary;
         }},
        {{"--variants", "1000"}, "--variants: ожидается целое число от 1 до 999, а не «1000»", nullptr},
        {{"--seed", "-1"}, "--seed: ожидается целое число от 0 до 18446744073709551615, а не «-1»", nullptr},
        {{"--out", "v"}, "--seed и --out задаются только вместе с --variants", nullptr},
        {{"--variants", "5", "--vary", "eta=1:2"},
         "--variants: нужен --seed S — с тем же S получатся те же варианты",
         nullptr},
        {{"--variants", "5", "--seed", "1"}, "--variants: нужна хотя бы одна --vary ИМЯ=ОТ:ДО", nullptr},
        {{"--variants", "5", "--seed", "1", "--vary", "eta=1:2", "--analysis"},
         "--variants не сочетается с --results, --csv, --analysis и --threshold",
         nullptr},
        {{"--variants", "5", "--seed", "1", "--vary", "eta=0.5:2:5"},
         "--vary: «eta=0.5:2:5» — с --variants ожидается ИМЯ=ОТ:ДО",
         nullptr},
        {{"--variants", "5", "--seed", "1", "--vary", "eta=1:2", "--vary", "eta=3:4"},
         "--vary: величина eta названа дважды",
         nullptr},
        {{"--variants", "5", "--seed", "1", "--vary", "massa=-1:5"},
         "--vary massa=-1:5: поле «m (кг)» не примет -1: не может быть отрицательной!",
         nullptr},
        {{"--variants", "5", "--seed", "1", "--vary", "eta=2:1"}, "--vary eta=2:1: ОТ больше ДО", nullptr},
    };
    for (const Case& c : cases) {
        const ParsedBatchOptions parsed = parse_batch_options(c.words);
        EXPECT_EQ(parsed.error, c.error) << (c.words.empty() ? "" : c.words[0]);
        if (c.holds) {
            EXPECT_TRUE(c.holds(parsed.options)) << c.words[0];
        }
    }
}

// The command in a folder of its own.
struct Command {
    QTemporaryDir folder;
    std::string out, err;

    std::string path(const char* name) const
    {
        return QDir(folder.path()).filePath(QString::fromUtf8(name)).toStdString();
    }

    void write(const char* name, const std::string& text) const
    {
        QFile file(QString::fromStdString(path(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text.data(), static_cast<qint64>(text.size()));
    }

    int run(std::vector<std::string> words)
    {
        std::ostringstream o, e;
        const int status = run_batch(words, o, e, BatchEnvironment{",", false, {}});
        out = o.str();
        err = e.str();
        return status;
    }
};

// The sample parameter file's layout with the values given.
std::string parameter_file(const char* tmax, const char* eta = "0.99")
{
    return std::string("m, 44.17,\nd2, 0.32,\nd1, 0.28,\nc, 0.47,\nL, 1.2,\nM, 0.735,\nD, 0.01,\nc, 1.2,\nro, 961,\n"
                       "eta, ") +
           eta + ",\nfi, 30,\nwz, 0,\nT, " + tmax + ",\nend\n";
}

// The text in UTF-16, little-endian, after its byte-order mark, as editors
// save "Unicode" (the text is ASCII).
std::string utf16(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(BatchCommand, ExitStatusesAndWhatItSays)
{
    struct Case {
        const char* what;
        std::string file; // "" writes none
        std::vector<std::string> words;
        int status;
        std::string out_starts;
        std::string err;
    };
    Command probe;
    const Case cases[] = {
        {"the characteristics", parameter_file("20"), {"p.txt"}, 0, "ρ\t2,574E+03\tкг/м3\nρ_sf\t", ""},
        {"a missing file",
         "",
         {"absent.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «absent.txt» не прочитан: нет такого файла\n"},
        {"a file too short",
         "m, 1,\n",
         {"p.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «p.txt» не годится: в нём 3 полей из 40, значений 1 из 13\n"},
        {"a parameter file in UTF-16", utf16(parameter_file("20")), {"p.txt"}, 0, "ρ\t2,574E+03\tкг/м3\nρ_sf\t", ""},
        {"a file with NUL bytes",
         std::string("m, 1,\0\n", 7),
         {"p.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «p.txt» не годится: в нём есть нулевые байты, каких в тексте не бывает\n"},
        {"a file of no numbers",
         std::string(60, '\n'),
         {"p.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «p.txt» не годится: ни одно из его значений (поля 2, 5, 8, …, 38) не "
         "начинается с числа\n"},
        {"a file larger than any parameter file",
         parameter_file("20") + std::string(std::size_t{1} << 20, ' '),
         {"p.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «p.txt» не годится: он больше 1 МБ\n"},
        {"a run the start refuses",
         parameter_file("1000000"),
         {"p.txt"},
         1,
         "",
         "viscous-pendulum-batch: файл «p.txt»: Расчёт займёт 38563521 шаг, это 4 сут! Уменьшите время расчёта "
         "или число точек на период. Исправьте параметры!\n"},
        {"a box's error, said and overridden",
         parameter_file("1", "-1"),
         {"p.txt"},
         0,
         "ρ\t",
         "viscous-pendulum-batch: p.txt: Ошибка, η (Па·с): не может быть отрицательным! Не вводите заново, а "
         "исправьте!\n"},
        {"a wrong option",
         "",
         {"--speed"},
         2,
         "",
         "viscous-pendulum-batch: неизвестный параметр «--speed»\nПодробнее: viscous-pendulum-batch --help\n"},
        {"help", "", {"--help"}, 0, "Использование: viscous-pendulum-batch [ПАРАМЕТРЫ] [ФАЙЛ_ПАРАМЕТРОВ]\n", ""},
        {"a series to standard output",
         parameter_file("2"),
         {"--vary", "eta=0.5:2:3", "p.txt"},
         0,
         "eta,T_s,Ts_s,T_diff_pct,",
         ""},
        {"a threshold", parameter_file("3"), {"--threshold", "eta", "p.txt"}, 0, "ρ\t2,574E+03", ""},
        {"variants the boxes always refuse",
         parameter_file("2"),
         {"--variants", "2", "--seed", "1", "--vary", "diametr_2=0.1:0.2", "p.txt"},
         1,
         "",
         "viscous-pendulum-batch: вариант 1 не составлен: за 1000 попыток ни одно сочетание значений не прошло "
         "проверок полей и пуска; последняя причина: Ошибка, d2 (м): Не может быть <=d1! Не вводите заново, а "
         "исправьте!\n"},
        {"variants into a file",
         parameter_file("2"),
         {"--variants", "2", "--seed", "1", "--vary", "eta=1:2", "--out", "p.txt", "p.txt"},
         1,
         "",
         "viscous-pendulum-batch: «p.txt» — не папка: варианты в неё не записать\n"},
        {"variants without a seed",
         "",
         {"--variants", "2", "--vary", "eta=1:2"},
         2,
         "",
         "viscous-pendulum-batch: --variants: нужен --seed S — с тем же S получатся те же варианты\nПодробнее: "
         "viscous-pendulum-batch --help\n"},
    };
    for (const Case& c : cases) {
        Command command;
        std::vector<std::string> words;
        for (const std::string& w : c.words)
            words.push_back(w == "p.txt" || w == "absent.txt" ? command.path(w.c_str()) : w);
        if (!c.file.empty())
            command.write("p.txt", c.file);
        EXPECT_EQ(command.run(words), c.status) << c.what;
        EXPECT_EQ(command.out.substr(0, c.out_starts.size()), c.out_starts) << c.what << "\n" << command.out;
        std::string err = command.err;
        const std::string folder = command.folder.path().toStdString() + "/";
        for (std::size_t at; (at = err.find(folder)) != std::string::npos;)
            err.erase(at, folder.size());
        EXPECT_EQ(err, c.err) << c.what;
    }
}

TEST(BatchCommand, TheThresholdBesideTheCriticalViscosity)
{
    Command command;
    command.write("p.txt", parameter_file("3"));
    ASSERT_EQ(command.run({"--threshold", "eta", command.path("p.txt")}), 0) << command.err;
    const std::size_t at = command.out.find("граница апериодичности\teta\t");
    ASSERT_NE(at, std::string::npos) << command.out;
    const std::string tail = command.out.substr(at);
    EXPECT_NE(tail.find("\nη_кр, Па·с\t"), std::string::npos) << tail;
    EXPECT_NE(tail.find("\nотличие от η_кр, %\t-"), std::string::npos) << tail;
}

TEST(BatchCommand, WritesTheFilesItIsAskedFor)
{
    Command command;
    command.write("p.txt", parameter_file("0.5"));
    ASSERT_EQ(command.run({"--results", command.path("out.txt"), "--csv", command.path("run.csv"), "--excel",
                           command.path("p.txt")}),
              0)
        << command.err;
    QFile results(QString::fromStdString(command.path("out.txt")));
    ASSERT_TRUE(results.open(QIODevice::ReadOnly));
    const QByteArray bytes = results.readAll();
    EXPECT_TRUE(bytes.startsWith("    \xEF\xE0\xF0\xE0\xEC\xE5\xF2\xF0\xFB\r\nm (\xEA\xE3) =      44.1700\r\n"));
    EXPECT_EQ(bytes.count("\r\n"), 16 + 20);
    QFile csv(QString::fromStdString(command.path("run.csv")));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly));
    EXPECT_TRUE(csv.readAll().startsWith("\xEF\xBB\xBFt_s;fi_deg;wz_rad_s;W_J;W_kin_J;W_pot_J;D_lin_J;D_quad_J\n0,0"));

    EXPECT_EQ(command.run({"--results", command.path("no/such/folder.txt"), command.path("p.txt")}), 1);
    EXPECT_EQ(command.err, "viscous-pendulum-batch: файл «" + command.path("no/such/folder.txt") +
                               "» не записан: нет такого файла\n");
}

QByteArray file_bytes(const std::string& path)
{
    QFile file(QString::fromStdString(path));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Variants written by the command, each loaded as a click on "Параметры
// задачи" in a window just started loads it, and run alone as the command
// runs a parameter file: what answers.csv says of it.
TEST(BatchCommand, VariantsLoadSilentlyAndTheAnswersAreTheirRuns)
{
    Command command;
    command.write("p.txt", parameter_file("6")); // two swings and more
    const auto make = [&command](const char* folder, const char* seed, bool excel) {
        std::vector<std::string> words = {"--variants", "3",         "--seed",    seed, "--vary", "fi0=10:40",
                                          "--vary",     "eta=0.5:2", "--threads", "2",  "--out",  command.path(folder)};
        if (excel)
            words.push_back("--excel");
        words.push_back(command.path("p.txt"));
        EXPECT_EQ(command.run(words), 0) << command.err;
        EXPECT_EQ(command.err, "");
    };
    const std::vector<std::string> names = {"variant-01.txt", "variant-02.txt", "variant-03.txt", "answers.csv"};
    const auto bytes = [&command](const char* folder, const std::string& name) {
        return file_bytes(command.path(folder) + "/" + name);
    };
    make("a", "1", false);
    EXPECT_EQ(command.out, "3 варианта: " + command.path("a") + "/variant-01.txt … " + command.path("a") +
                               "/variant-03.txt, ответы — " + command.path("a") + "/answers.csv\n");
    make("b", "1", false);
    make("c", "2", false);
    make("d", "1", true);
    for (const std::string& name : names) {
        EXPECT_FALSE(bytes("a", name).isEmpty()) << name;
        EXPECT_EQ(bytes("a", name), bytes("b", name)) << name;
        EXPECT_NE(bytes("a", name), bytes("c", name)) << name;
    }
    EXPECT_EQ(bytes("a", "variant-01.txt").toStdString(),
              "Масса сферы m (кг), 44.1700,\r\nВнешний диаметр d2 (м), 0.3200,\r\nВнутренний диаметр d1 (м), "
              "0.2800,\r\nКоэффициент сопротивления сферы, 0.470,\r\nДлина L (м), 1.2000,\r\nМасса стержня M (кг), "
              "0.7350,\r\nДиаметр стержня D (м), 0.0100,\r\nКоэффициент сопротивления стержня, 1.200,\r\nПлотность "
              "среды (кг/м3), 961.0000,\r\nВязкость среды (Па·с), 0.7008150,\r\nНачальный угол (градусы), "
              "14.092,\r\nНачальная угловая скорость (рад/с), 0.000,\r\nВремя расчёта (с), 6,\r\nВариант 01 из 3 "
              "(--seed 1)\r\n");

    std::vector<Variant> variants;
    std::vector<SeriesPoint> runs;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string file = bytes("a", names[i]).toStdString();
        Variant v{names[i], file, {}};
        std::vector<BoxMessage> messages;
        start_up(v.lab, messages);
        messages.clear();
        const FieldReading reading = read_parameter_fields(file);
        place_fields(v.lab, reading, messages);
        EXPECT_TRUE(messages.empty()) << names[i] << ": " << messages.front().message.text;
        for (std::size_t q = 0; q < reading.values.size(); ++q) {
            const std::string& box = v.lab.texts[q];
            EXPECT_EQ(box.substr(box.find_first_not_of(' ')), reading.values[q]) << names[i];
        }
        LabInputs lab = v.lab;
        RunRecord record;
        SeriesPoint run;
        run.reason = run_laboratory(lab, record, ",").message;
        SwingAnalysis analysis;
        analysis.update(record);
        run.comparisons = analysis.comparisons();
        EXPECT_TRUE(run.comparisons.front().measured) << names[i];
        runs.push_back(run);
        variants.push_back(std::move(v));
    }
    const std::vector<Quantity> drawn = {Quantity::eta, Quantity::fi0};
    EXPECT_EQ(bytes("a", "answers.csv").toStdString(), answer_key_csv(variants, runs, drawn, CsvDialect{}));
    EXPECT_EQ(bytes("d", "answers.csv").toStdString(), answer_key_csv(variants, runs, drawn, excel_csv(",")));
    EXPECT_TRUE(bytes("d", "answers.csv")
                    .startsWith("\xEF\xBB\xBF"
                                "file;eta;fi0;ro;"));
}

} // namespace
} // namespace vp
