// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/parameter_file.h"

#include "model/number_text.h"

namespace vp {
namespace {

bool is_blank(char c)
{
    return c == ' ' || c == '\t';
}

bool is_line_end(char c)
{
    return c == '\r' || c == '\n';
}

class FieldScanner {
public:
    explicit FieldScanner(std::string_view bytes) : bytes_(bytes)
    {
        constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";
        if (bytes_.substr(0, byte_order_mark.size()) == byte_order_mark)
            pos_ = byte_order_mark.size();
    }

    // The next field, or nothing when the bytes end where it would begin.
    std::optional<std::string> next()
    {
        while (pos_ < bytes_.size() && is_blank(bytes_[pos_]))
            ++pos_;
        if (pos_ == bytes_.size())
            return std::nullopt;
        std::string field;
        if (bytes_[pos_] == '"') {
            const std::size_t close = bytes_.find('"', pos_ + 1);
            const std::size_t end = close == std::string_view::npos ? bytes_.size() : close;
            field = std::string(bytes_.substr(pos_ + 1, end - pos_ - 1));
            pos_ = end == bytes_.size() ? end : end + 1;
            while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_]))
                ++pos_;
        } else {
            const std::size_t start = pos_;
            while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !is_line_end(bytes_[pos_]))
                ++pos_;
            std::size_t end = pos_;
            while (end > start && is_blank(bytes_[end - 1]))
                --end;
            field = std::string(bytes_.substr(start, end - start));
        }
        skip_delimiter();
        return field;
    }

private:
    void skip_delimiter()
    {
        if (pos_ == bytes_.size())
            return;
        const char c = bytes_[pos_++];
        if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n')
            ++pos_;
    }

    std::string_view bytes_;
    std::size_t pos_ = 0;
};

bool used_field(int field)
{
    return field % 3 == 2 && field <= 38;
}

// The number of a field as the number reader sees it: without the blanks,
// tabs and line feeds it skips, up to the first character that cannot be
// part of a number. Reading it gives the same result as reading the field,
// and it is plain ASCII, fit for a box.
std::string number_part(std::string_view field)
{
    std::string part;
    for (char c : field) {
        if (c == ' ' || c == '\t' || c == '\n')
            continue;
        if (std::string_view("0123456789+-.eEdD").find(c) == std::string_view::npos)
            break;
        part.push_back(c);
    }
    return part;
}

} // namespace

FieldReading read_parameter_fields(std::string_view bytes)
{
    FieldReading reading;
    FieldScanner scanner(bytes);
    while (reading.fields_read < parameter_file_fields) {
        std::optional<std::string> field = scanner.next();
        if (!field)
            break;
        ++reading.fields_read;
        if (used_field(reading.fields_read))
            reading.values.push_back(std::move(*field));
    }
    return reading;
}

FieldPlacement place_field(Box box, std::string_view field)
{
    const NumberReading reading = read_number(field);
    if (!reading.in_range)
        return {std::nullopt, number_part(field)};
    return {reading.value, format_number(reading.value, box_info(box).file_mask)};
}

Message parameter_file_missing()
{
    return {MessageKind::error, "Нет файла vibrel_in.txt в рабочей папке! Параметры не загружены."};
}

Message parameter_file_unreadable()
{
    return {MessageKind::error, "Файл vibrel_in.txt не удаётся прочитать! Параметры не загружены."};
}

Message parameter_file_ended_early(const FieldReading& reading)
{
    if (reading.fields_read == 0)
        return {MessageKind::error, "Файл vibrel_in.txt пуст! Параметры не загружены."};
    return {MessageKind::error, "Файл vibrel_in.txt кончился после поля " + std::to_string(reading.fields_read) +
                                    " из 40! Загружено значений: " + std::to_string(reading.values.size()) +
                                    " из 13. Исправьте файл!"};
}

} // namespace vp
