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
std::string apply_vary(BatchOptions& o, std::string_view argument)
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
         "или ИМЯ=З1,З2,... — список значений",
         apply_vary},
        {"--threshold", "ИМЯ", "найти границу апериодичности по величине (делением пополам, до 0,1 %)",
         [](BatchOptions& o, std::string_view a) {
             std::string error;
             o.threshold = named_quantity(a, error);
             return error.empty() ? error : "--threshold: " + error;
         }},
        {"--threads", "N", "число потоков для серии (по умолчанию — все ядра)", apply_threads},
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
    if (o.threshold && o.series_to_standard_output())
        parsed.error = "--threshold вместе с --vary: таблице серии нужен свой файл, --csv ФАЙЛ";
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
            "Код завершения: 0 — всё рассчитано; 1 — файл не прочитан или не записан, расчёт\n"
            "невозможен при этих параметрах, граница не найдена; 2 — неверная командная строка.\n";
    return text;
}

} // namespace vp
