// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/parameter_file.h"

#include "input/number_reading.h"
#include "texts/number_text.h"

#include <algorithm>
#include <utility>

namespace vp {
namespace {

// The file's bytes one at a time, taken from the source in pieces, and no
// more of them than max_parameter_file_bytes: past that the stream ends and
// says the file is too large, whatever the file does while it is read.
class RawBytes {
public:
    static constexpr int end = -1;

    explicit RawBytes(const ByteSource& source) : source_(source) {}

    int get()
    {
        if (next_ == filled_ && !refill())
            return end;
        return static_cast<unsigned char>(buffer_[next_++]);
    }
    // Before anything is read: the first n bytes, or fewer when the stream
    // is shorter.
    std::string_view start(std::size_t n)
    {
        while (filled_ < n && !ended_) {
            const std::size_t got = take(buffer_ + filled_, n - filled_);
            ended_ = got == 0;
            filled_ += got;
        }
        return std::string_view(buffer_, filled_).substr(0, n);
    }
    void skip(std::size_t n) { next_ += n; }
    bool too_large() const { return too_large_; }

private:
    std::size_t take(char* to, std::size_t wanted)
    {
        // One byte beyond the bound tells a file too large from one that
        // just fits.
        const std::size_t allowed = max_parameter_file_bytes + 1 - taken_;
        if (allowed == 0) {
            too_large_ = true;
            return 0;
        }
        const std::size_t got = source_(to, std::min(wanted, allowed));
        taken_ += got;
        if (taken_ > max_parameter_file_bytes) {
            too_large_ = true;
            return 0;
        }
        return got;
    }
    bool refill()
    {
        if (ended_)
            return false;
        filled_ = take(buffer_, sizeof buffer_);
        next_ = 0;
        ended_ = filled_ == 0;
        return !ended_;
    }

    const ByteSource& source_;
    char buffer_[64 * 1024];
    std::size_t next_ = 0;
    std::size_t filled_ = 0;
    std::size_t taken_ = 0;
    bool ended_ = false;
    bool too_large_ = false;
};

// The file's text one UTF-8 byte at a time. A byte-order mark says how it is
// written: UTF-8 (the mark is skipped), or UTF-16 in either byte order, which
// many editors save as "Unicode" and which is decoded here into UTF-8; any
// other file is taken byte for byte. Notes any NUL it passes: no text has
// one (a UTF-16 file without its mark has one in every ASCII character).
class TextStream {
public:
    static constexpr int end = RawBytes::end;

    explicit TextStream(RawBytes& raw) : raw_(raw)
    {
        const std::string_view start = raw_.start(3);
        if (start == "\xEF\xBB\xBF") {
            raw_.skip(3);
        } else if (start.substr(0, 2) == "\xFF\xFE" || start.substr(0, 2) == "\xFE\xFF") {
            utf16_ = start[0] == '\xFF' ? Utf16::little_endian : Utf16::big_endian;
            raw_.skip(2);
        }
    }

    int peek()
    {
        if (next_ == pending_.size() && !decode())
            return end;
        return static_cast<unsigned char>(pending_[next_]);
    }
    int get()
    {
        const int c = peek();
        if (c != end)
            ++next_;
        return c;
    }
    bool nul_seen() const { return nul_seen_; }

private:
    enum class Utf16 { no, little_endian, big_endian };
    static constexpr int no_unit = -1;
    static constexpr char32_t replacement = 0xFFFD;

    bool decode()
    {
        pending_.clear();
        next_ = 0;
        if (utf16_ == Utf16::no) {
            const int c = raw_.get();
            if (c == end)
                return false;
            nul_seen_ = nul_seen_ || c == 0;
            pending_.push_back(static_cast<char>(c));
            return true;
        }
        const int unit = next_unit();
        if (unit == no_unit)
            return false;
        nul_seen_ = nul_seen_ || unit == 0;
        char32_t code = static_cast<char32_t>(unit);
        if (unit >= 0xD800 && unit < 0xDC00) {
            const int low = next_unit();
            if (low >= 0xDC00 && low < 0xE000) {
                code = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (static_cast<char32_t>(low) - 0xDC00);
            } else {
                code = replacement;
                held_unit_ = low;
            }
        } else if (unit >= 0xDC00 && unit < 0xE000) {
            code = replacement;
        }
        append_utf8(code);
        return true;
    }
    int next_unit()
    {
        if (held_unit_ != no_unit)
            return std::exchange(held_unit_, no_unit);
        const int first = raw_.get();
        if (first == end)
            return no_unit;
        const int second = raw_.get();
        if (second == end)
            return static_cast<int>(replacement);
        return utf16_ == Utf16::little_endian ? first | second << 8 : first << 8 | second;
    }
    void append_utf8(char32_t c)
    {
        const auto byte = [this](char32_t b) { pending_.push_back(static_cast<char>(b)); };
        if (c < 0x80) {
            byte(c);
        } else if (c < 0x800) {
            byte(0xC0 | c >> 6);
            byte(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            byte(0xE0 | c >> 12);
            byte(0x80 | (c >> 6 & 0x3F));
            byte(0x80 | (c & 0x3F));
        } else {
            byte(0xF0 | c >> 18);
            byte(0x80 | (c >> 12 & 0x3F));
            byte(0x80 | (c >> 6 & 0x3F));
            byte(0x80 | (c & 0x3F));
        }
    }

    RawBytes& raw_;
    Utf16 utf16_ = Utf16::no;
    std::string pending_;
    std::size_t next_ = 0;
    int held_unit_ = no_unit;
    bool nul_seen_ = false;
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
    explicit FieldScanner(TextStream& bytes) : bytes_(bytes) {}

    // The next field, or nothing when the bytes end where it would begin.
    std::optional<std::string> next()
    {
        while (is_blank(bytes_.peek()))
            bytes_.get();
        if (bytes_.peek() == TextStream::end)
            return std::nullopt;
        std::string field;
        if (bytes_.peek() == '"') {
            bytes_.get();
            for (int c = bytes_.get(); c != TextStream::end && c != '"'; c = bytes_.get())
                keep(field, c);
            while (bytes_.peek() != TextStream::end && bytes_.peek() != ',' && !is_line_end(bytes_.peek()))
                bytes_.get();
        } else {
            while (bytes_.peek() != TextStream::end && bytes_.peek() != ',' && !is_line_end(bytes_.peek()))
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

    void skip_delimiter()
    {
        const int c = bytes_.get();
        if (c == '\r' && bytes_.peek() == '\n')
            bytes_.get();
    }

    TextStream& bytes_;
};

// Whether the field is the one of the next quantity to be read.
bool used_field(int field, std::size_t values_read)
{
    return values_read < static_cast<std::size_t>(quantity_count) && field == quantity_table()[values_read].file_field;
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
    RawBytes raw(source);
    TextStream text(raw);
    FieldScanner scanner(text);
    while (reading.fields_read < parameter_file_fields) {
        std::optional<std::string> field = scanner.next();
        if (!field)
            break;
        ++reading.fields_read;
        if (used_field(reading.fields_read, reading.values.size()))
            reading.values.push_back(std::move(*field));
    }
    reading.nul = text.nul_seen();
    reading.too_large = raw.too_large();
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

FieldPlacement place_field(Quantity q, std::string_view field)
{
    const NumberReading reading = read_number(field);
    std::string typed = number_part(field);
    if (!reading.in_range)
        return {std::nullopt, typed, typed};
    return {reading.value, format_number(reading.value, quantity_row(q).file_mask), std::move(typed)};
}

bool value_may_stand(Quantity q, const FieldPlacement& placement, std::string_view box_text, const Parameters& p,
                     const WarningMemories& m)
{
    if (!placement.value)
        return false;
    const auto refused = [&](std::string_view text) {
        WarningMemories untouched = m;
        const std::optional<Message> message = decide(q, text, p, untouched).message;
        return message && message->kind == MessageKind::error;
    };
    const bool zero = *placement.value == 0;
    const bool shown_zero = read_number(box_text).value == 0;
    return !refused(placement.typed) && !refused(box_text) && zero == shown_zero;
}

namespace {

// As the number reader sees it: blanks, tabs and line feeds skipped, then a
// sign or none, then a digit, or a point and a digit.
bool begins_with_number(std::string_view field)
{
    std::string part = number_part(field);
    std::string_view rest(part);
    if (!rest.empty() && (rest[0] == '+' || rest[0] == '-'))
        rest.remove_prefix(1);
    if (!rest.empty() && rest[0] == '.')
        rest.remove_prefix(1);
    return !rest.empty() && rest[0] >= '0' && rest[0] <= '9';
}

Message not_a_parameter_file(std::string_view why)
{
    return {MessageKind::error,
            "Файл vibrel_in.txt не похож на файл параметров: " + std::string(why) + "! Параметры не загружены."};
}

} // namespace

std::optional<std::string_view> not_a_parameter_file_reason(const FieldReading& reading)
{
    if (reading.too_large)
        return too_large_file_reason;
    if (reading.nul)
        return "в нём есть нулевые байты, каких в тексте не бывает";
    if (!reading.values.empty() &&
        std::none_of(reading.values.begin(), reading.values.end(), [](const auto& v) { return begins_with_number(v); }))
        return "ни одно из его значений (поля 2, 5, 8, …, 38) не начинается с числа";
    return std::nullopt;
}

std::optional<Message> parameter_file_refusal(const FieldReading& reading)
{
    if (const std::optional<std::string_view> why = not_a_parameter_file_reason(reading))
        return not_a_parameter_file(*why);
    return std::nullopt;
}

Message parameter_file_too_large()
{
    return not_a_parameter_file(too_large_file_reason);
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
