// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/parameter_file.h"

#include "model/number_text.h"

namespace vp {
namespace {

// The file's bytes one at a time, taken from the source in pieces.
class ByteStream {
public:
    static constexpr int end = -1;

    explicit ByteStream(const ByteSource& source) : source_(source) {}

    int peek()
    {
        if (next_ == filled_ && !refill())
            return end;
        return static_cast<unsigned char>(buffer_[next_]);
    }
    int get()
    {
        const int c = peek();
        if (c != end)
            ++next_;
        return c;
    }
    // Before anything is read: skips these bytes if the stream starts with
    // them.
    void skip_start(std::string_view prefix)
    {
        while (filled_ < prefix.size() && !ended_) {
            const std::size_t n = source_(buffer_ + filled_, sizeof buffer_ - filled_);
            ended_ = n == 0;
            filled_ += n;
        }
        if (std::string_view(buffer_, filled_).substr(0, prefix.size()) == prefix)
            next_ = prefix.size();
    }

private:
    bool refill()
    {
        if (ended_)
            return false;
        filled_ = source_(buffer_, sizeof buffer_);
        next_ = 0;
        ended_ = filled_ == 0;
        return !ended_;
    }

    const ByteSource& source_;
    char buffer_[64 * 1024];
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    bool ended_ = false;
};

bool is_blank(int c)
{
    return c == ' ' || c == '\t';
}

bool is_line_end(int c)
{
    return c == '\r' || c == '\n';
}

class FieldScanner {
public:
    explicit FieldScanner(ByteStream& bytes) : bytes_(bytes) { skip_byte_order_mark(); }

    // The next field, or nothing when the bytes end where it would begin.
    std::optional<std::string> next()
    {
        while (is_blank(bytes_.peek()))
            bytes_.get();
        if (bytes_.peek() == ByteStream::end)
            return std::nullopt;
        std::string field;
        if (bytes_.peek() == '"') {
            bytes_.get();
            for (int c = bytes_.get(); c != ByteStream::end && c != '"'; c = bytes_.get())
                keep(field, c);
            while (bytes_.peek() != ByteStream::end && bytes_.peek() != ',' && !is_line_end(bytes_.peek()))
                bytes_.get();
        } else {
            while (bytes_.peek() != ByteStream::end && bytes_.peek() != ',' && !is_line_end(bytes_.peek()))
                keep(field, bytes_.get());
            while (!field.empty() && is_blank(field.back()))
                field.pop_back();
        }
        skip_delimiter();
        return field;
    }

private:
    static void keep(std::string& field, int c)
    {
        if (field.size() < max_field_length)
            field.push_back(static_cast<char>(c));
    }

    void skip_byte_order_mark() { bytes_.skip_start("\xEF\xBB\xBF"); }

    void skip_delimiter()
    {
        const int c = bytes_.get();
        if (c == '\r' && bytes_.peek() == '\n')
            bytes_.get();
    }

    ByteStream& bytes_;
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

FieldReading read_parameter_fields(const ByteSource& source)
{
    FieldReading reading;
    ByteStream bytes(source);
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

FieldReading read_parameter_fields(std::string_view bytes)
{
    return read_parameter_fields([&bytes](char* buffer, std::size_t size) {
        const std::size_t n = bytes.copy(buffer, size);
        bytes.remove_prefix(n);
        return n;
    });
}

FieldPlacement place_field(Box box, std::string_view field)
{
    const NumberReading reading = read_number(field);
    std::string typed = number_part(field);
    if (!reading.in_range)
        return {std::nullopt, typed, typed};
    return {reading.value, format_number(reading.value, box_info(box).file_mask), std::move(typed)};
}

bool value_may_stand(Box box, const FieldPlacement& placement, std::string_view box_text, const Parameters& p,
                     const WarningMemories& m)
{
    if (!placement.value)
        return false;
    const auto refused = [&](std::string_view text) {
        WarningMemories untouched = m;
        const std::optional<Message> message = decide(box, text, p, untouched).message;
        return message && message->kind == MessageKind::error;
    };
    const bool zero = *placement.value == 0;
    const bool shown_zero = read_number(box_text).value == 0;
    return !refused(placement.typed) && !refused(box_text) && zero == shown_zero;
}

Message parameter_file_missing()
{
    return {MessageKind::error, "Нет файла vibrel_in.txt в рабочей папке! Параметры не загружены."};
}

Message parameter_file_unreadable(std::string_view reason)
{
    return {MessageKind::error,
            "Файл vibrel_in.txt не удаётся прочитать: " + std::string(reason) + "! Параметры не загружены."};
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
