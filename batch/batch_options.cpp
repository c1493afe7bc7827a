// SPDX-License-Identifier: GPL-3.0-or-later
#include "batch/batch_options.h"

#include "input/quantity_table.h"
#include "series/quantity_names.h"

#include <algorithm>
#include <charconv>

namespace vp {
namespace {

std::string quantity_list()
{
    std::string names;
    for (const QuantityRow& row : quantity_table())
        names += (names.empty() ? "" : ", ") + std::string(row.name);
    return names;
}

std::optional<Quantity> named_quantity(std::string_view name, std::string& error)
{
    const std::optional<Quantity> q = quantity_named(name);
    if (!q)
        error = "неизвестная величина «" + std::string(name) + "»; величины: " + quantity_list();
    return q;
}

std::vector<std::string_view> split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    for (std::size_t begin = 0;;) {
        const std::size_t end = text.find(separator, begin);
        parts.push_back(text.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin));
        if (end == std::string_view::npos)
            return parts;
        begin = end + 1;
    }
}

std::optional<int> whole_number(std::string_view text)
{
    int n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return n;
}

// NAME=FROM:TO:N[:log|:lin], or NAME=V1,V2,... (a list, "." in the numbers).
std::string series_vary(BatchOptions& o, std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    if (equals == std::string_view::npos)
        return "--vary: ожидается ИМЯ=ОТ:ДО:N[:log] или ИМЯ=ЗНАЧЕНИЕ,ЗНАЧЕНИЕ,...";
    std::string error;
    const std::optional<Quantity> q = named_quantity(argument.substr(0, equals), error);
    if (!q)
        return "--vary: " + error;
    const std::string_view spec = argument.substr(equals + 1);
    VariedQuantity v{*q, {}};
    if (spec.find(':') == std::string_view::npos) {
        std::string list(spec);
        std::replace(list.begin(), list.end(), ',', ' ');
        v.values = listed_values(list);
    } else {
        const std::vector<std::string_view> parts = split(spec, ':');
        const std::optional<double> from = parts.size() >= 3 ? read_value(parts[0]) : std::nullopt;
        const std::optional<double> to = parts.size() >= 3 ? read_value(parts[1]) : std::nullopt;
        const std::optional<int> count = parts.size() >= 3 ? whole_number(parts[2]) : std::nullopt;
        const bool spacing_known = parts.size() == 3 || (parts.size() == 4 && (parts[3] == "log" || parts[3] == "lin"));
        if (!from || !to || !count || !spacing_known)
            return "--vary: «" + std::string(spec) + "» — ожидается ОТ:ДО:N[:log]";
        const Spacing spacing = parts.size() == 4 && parts[3] == "log" ? Spacing::logarithmic : Spacing::linear;
        v.values = spaced_values(*from, *to, *count, spacing);
    }
    if (!v.values.error.empty())
        return "--vary: " + v.values.error;
    o.vary = std::move(v);
    return {};
}

// NAME=FROM:TO, the range a variant's quantity is drawn from.
std::string variant_vary(BatchOptions& o, std::string_view argument)
{
    const std::size_t equals = argument.find('=');
    const std::vector<std::string_view> parts =
        split(equals == std::string_view::npos ? std::string_view() : argument.substr(equals + 1), ':');
    const std::optional<double> from = parts.size() == 2 ? read_value(parts[0]) : std::nullopt;
    const std::optional<double> to = parts.size() == 2 ? read_value(parts[1]) : std::nullopt;
    if (!from || !to)
        return "--vary: «" + std::string(argument) + "» — с --variants ожидается ИМЯ=ОТ:ДО";
    std::string error;
    const std::optional<Quantity> q = named_quantity(argument.substr(0, equals), error);
    if (!q)
        return "--vary: " + error;
    if (std::any_of(o.ranges.begin(), o.ranges.end(), [q](const VariantRange& r) { return r.quantity == *q; }))
        return "--vary: величина " + std::string(quantity_name(*q)) + " названа дважды";
    const VariantRange range{*q, *from, *to};
    if (const std::optional<std::string> why = range_refusal(range))
        return "--vary " + std::string(argument) + ": " + *why;
    o.ranges.push_back(range);
    return {};
}

// What the options mean together, once all are read.
std::string combined(BatchOptions& o)
{
    for (const std::string& argument : o.vary_arguments) {
        if (std::string error = o.variants ? variant_vary(o, argument) : series_vary(o, argument); !error.empty())
            return error;
    }
    if (!o.variants) {
        if (o.seed || o.out)
            return "--seed и --out задаются только вместе с --variants";
        if (o.threshold && o.series_to_standard_output())
            return "--threshold вместе с --vary: таблице серии нужен свой файл, --csv ФАЙЛ";
        return {};
    }
    if (o.results || o.csv || o.analysis || o.threshold)
        return "--variants не сочетается с --results, --csv, --analysis и --threshold";
    if (!o.seed)
        return "--variants: нужен --seed S — с тем же S получатся те же варианты";
    if (o.ranges.empty())
        return "--variants: нужна хотя бы одна --vary ИМЯ=ОТ:ДО";
    return {};
}

std::string apply_variants(BatchOptions& o, std::string_view argument)
{
    const std::optional<int> n = whole_number(argument);
    if (!n || *n < 1 || *n > max_variants)
        return "--variants: ожидается целое число от 1 до " + std::to_string(max_variants) + ", а не «" +
               std::string(argument) + "»";
    o.variants = *n;
    return {};
}

std::string apply_seed(BatchOptions& o, std::string_view argument)
{
    std::uint64_t seed = 0;
    const auto [end, error] = std::from_chars(argument.data(), argument.data() + argument.size(), seed);
    if (error != std::errc() || end != argument.data() + argument.size())
        return "--seed: ожидается целое число от 0 до 18446744073709551615, а не «" + std::string(argument) + "»";
    o.seed = seed;
    return {};
}

std::string apply_threads(BatchOptions& o, std::string_view argument)
{
    const std::optional<int> n = whole_number(argument);
    if (!n || *n < 1 || *n > 1024)
        return "--threads: ожидается целое число от 1 до 1024, а не «" + std::string(argument) + "»";
    o.threads = static_cast<unsigned>(*n);
    return {};
}

} // namespace

const std::vector<BatchOption>& batch_option_table()
{
    static const std::vector<BatchOption> table = {
        {"--results", "ФАЙЛ", "записать расчёт в файл результатов, как флажок «файл» окна (Windows-1251, CR LF)",
         [](BatchOptions& o, std::string_view a) {
             o.results = std::string(a);
             return std::string();
         }},
        {"--csv", "ФАЙЛ", "записать в CSV расчёт (как «Сохранить данные (CSV)…») или, с --vary, таблицу серии",
         [](BatchOptions& o, std::string_view a) {
             o.csv = std::string(a);
             return std::string();
         }},
        {"--excel", "", "CSV для Excel: метка UTF-8, разделитель «;», десятичный разделитель системы",
         [](BatchOptions& o, std::string_view) {
             o.excel = true;
             return std::string();
         }},
        {"--analysis", "", "вывести таблицу «Анализа колебаний» расчёта (точки поворота и сводку)",
         [](BatchOptions& o, std::string_view) {
             o.analysis = true;
             return std::string();
         }},
        {"--vary", "ИМЯ=ОТ:ДО:N[:log]",
         "серия: N значений величины от ОТ до ДО (равномерно или, с :log, в геометрической прогрессии); "
         "или ИМЯ=З1,З2,... — список значений; с --variants — ИМЯ=ОТ:ДО, пределы случайной величины",
         [](BatchOptions& o, std::string_view a) {
             o.vary_arguments.emplace_back(a);
             return std::string();
         }},
        {"--threshold", "ИМЯ", "найти границу апериодичности по величине (делением пополам, до 0,1 %)",
         [](BatchOptions& o, std::string_view a) {
             std::string error;
             o.threshold = named_quantity(a, error);
             return error.empty() ? error : "--threshold: " + error;
         }},
        {"--variants", "N",
         "составить N вариантов задания (файлы variant-01.txt, ... и ответы answers.csv): величины --vary "
         "случайны в своих пределах, остальные — из файла параметров",
         apply_variants},
        {"--seed", "S", "начало случайной последовательности вариантов: с тем же S — те же файлы", apply_seed},
        {"--out", "ПАПКА", "папка вариантов (по умолчанию — текущая; создаётся, если её нет)",
         [](BatchOptions& o, std::string_view a) {
             o.out = std::string(a);
             return std::string();
         }},
        {"--threads", "N", "число потоков для серии и ответов вариантов (по умолчанию — все ядра)", apply_threads},
        {"--help", "", "эта справка",
         [](BatchOptions& o, std::string_view) {
             o.help = true;
             return std::string();
         }},
        {"--version", "", "версия программы",
         [](BatchOptions& o, std::string_view) {
             o.version = true;
             return std::string();
         }},
    };
    return table;
}

ParsedBatchOptions parse_batch_options(const std::vector<std::string>& arguments)
{
    ParsedBatchOptions parsed;
    BatchOptions& o = parsed.options;
    bool file_named = false;
    bool options_ended = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        std::string_view word = arguments[i];
        if (!options_ended && word == "--") {
            options_ended = true;
            continue;
        }
        if (options_ended || word.size() < 2 || word[0] != '-') {
            if (file_named) {
                parsed.error = "лишний аргумент «" + std::string(word) + "»: файл параметров уже назван";
                return parsed;
            }
            o.parameter_file = std::string(word);
            file_named = true;
            continue;
        }
        if (word == "-h")
            word = "--help";
        const std::size_t equals = word.find('=');
        const std::string_view name = word.substr(0, equals);
        const auto& table = batch_option_table();
        const auto option =
            std::find_if(table.begin(), table.end(), [name](const BatchOption& b) { return b.name == name; });
        if (option == table.end()) {
            parsed.error = "неизвестный параметр «" + std::string(name) + "»";
            return parsed;
        }
        std::string_view argument;
        if (!option->argument.empty()) {
            if (equals != std::string_view::npos) {
                argument = word.substr(equals + 1);
            } else if (i + 1 < arguments.size()) {
                argument = arguments[++i];
            } else {
                parsed.error = std::string(name) + ": не хватает аргумента " + std::string(option->argument);
                return parsed;
            }
        } else if (equals != std::string_view::npos) {
            parsed.error = std::string(name) + " не принимает аргумента";
            return parsed;
        }
        if (std::string error = option->apply(o, argument); !error.empty()) {
            parsed.error = std::move(error);
            return parsed;
        }
    }
    parsed.error = combined(o);
    return parsed;
}

std::string batch_help()
{
    std::string text = "Использование: " + std::string(batch_program) +
                       " [ПАРАМЕТРЫ] [ФАЙЛ_ПАРАМЕТРОВ]\n"
                       "Расчёт установки «Колебания толстостенной сферы на массивном стержне в вязкой среде»\n"
                       "без окна: читает файл параметров в формате vibrel_in.txt (по умолчанию vibrel_in.txt\n"
                       "в текущей папке) так, как его загружает щелчок по «Параметры задачи», и выводит\n"
                       "характеристики. Расчёт совпадает с расчётом окна при тех же параметрах.\n\nПараметры:\n";
    for (const BatchOption& o : batch_option_table()) {
        std::string head = "  " + std::string(o.name);
        if (!o.argument.empty())
            head += " " + std::string(o.argument);
        text += head + "\n        " + std::string(o.help) + "\n";
    }
    text += "\nИМЯ — одна из тринадцати величин: " + quantity_list() +
            ".\n"
            "Пример: " +
            std::string(batch_program) +
            " --vary eta=0.001:10:20:log --csv серия.csv vibrel_in.txt\n\n"
            "Варианты для группы: " +
            std::string(batch_program) +
            " --variants 25 --seed 1 --vary eta=0.5:2 --vary fi0=10:40 --out варианты\n"
            "Каждая величина --vary ИМЯ=ОТ:ДО выбирается случайно от ОТ до ДО: равномерно, а если ДО/ОТ > 10\n"
            "(оба положительны) — равномерно по логарифму; затем округляется до знаков своего поля. Вариант,\n"
            "который поля или проверка перед пуском не примут, выбирается заново. Файлы variant-NN.txt\n"
            "и answers.csv (с --excel — CSV для Excel) в папке перезаписываются.\n\n"
            "Код завершения: 0 — всё рассчитано; 1 — файл не прочитан или не записан, расчёт\n"
            "невозможен при этих параметрах, граница не найдена, вариант не составлен;\n"
            "2 — неверная командная строка.\n";
    return text;
}

} // namespace vp
