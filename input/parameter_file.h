// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input/message.h"
#include "input/quantity_table.h"
#include "input/validation.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

inline constexpr std::string_view parameter_file_name = "vibrel_in.txt";
inline constexpr int parameter_file_fields = 40;
// Forty fields of numbers and remarks take a few kilobytes; a file beyond
// this is something else, and no more of it is read.
inline constexpr std::size_t max_parameter_file_bytes = std::size_t{1} << 20;

// The fields of the parameter file that carry the thirteen quantities, and
// how far the file went.
struct FieldReading {
    // The used fields the file holds (each quantity's file_field: 2, 5, ...,
    // 38), in the order of the quantity table; fewer than thirteen when the
    // file ends early.
    std::vector<std::string> values;
    // Fields read: parameter_file_fields for a complete file.
    int fields_read = 0;
    // What was read held a NUL (a byte, or a character of UTF-16).
    bool nul = false;
    // The bytes went on past max_parameter_file_bytes before the last field
    // ended; reading stopped there.
    bool too_large = false;

    // Fewer than the thirteen values: the file ended before the last of them
    // (a file that ends after it, without the two further fields, is whole).
    bool values_missing() const { return values.size() < static_cast<std::size_t>(quantity_count); }
};

// A field longer than any number is cut to this many bytes; the rest of it
// is read past, never kept.
inline constexpr std::size_t max_field_length = 4096;

// Where the reader takes the file's bytes from: fills the buffer with up to
// size bytes and returns how many, 0 at the end.
using ByteSource = std::function<std::size_t(char* buffer, std::size_t size)>;

// Reads the first 40 fields of the file's bytes; anything after them is not
// looked at.
//   - A field ends at a comma or at a line end (CR LF, LF or CR); each line
//     end ends exactly one field, so an empty line is one empty field.
//   - Blanks and tabs before a field are skipped, and after an unquoted one.
//   - A field that begins with a double quote runs to the next double quote,
//     line ends included; what follows the closing quote up to the next comma
//     or line end is dropped. An unclosed quote runs to the end of the file.
//   - A field does not exist when the bytes end where it would begin (after
//     its blanks): "a," holds one field.
//   - A UTF-8 byte-order mark at the start is skipped; after a UTF-16 one
//     (either byte order) the text is decoded into UTF-8. The discarded
//     fields may hold any bytes.
// The bytes are read as a stream, in pieces, and only as far as the 40th
// field and at most max_parameter_file_bytes of them: memory and time stay
// bounded whatever the file holds or does while it is read.
FieldReading read_parameter_fields(const ByteSource& source);
FieldReading read_parameter_fields(std::string_view bytes);

// What the loader does with the used field of a quantity: the value to store
// directly in the quantity, and the text to write into its box (by the row's
// file mask), whose change handler then runs when the text differs from the
// box's.
struct FieldPlacement {
    // Empty for a number beyond the range of a double: the quantity keeps
    // its value, and the box text makes the handler refuse the number.
    std::optional<double> value;
    std::string text;
    // The field's number as a user would type it into the box (its digits,
    // without what the number reader skips): it reads as `value`.
    std::string typed;
};

// A field that is empty or does not begin with a number stores 0, which the
// box's handler then treats by its rules for 0.
FieldPlacement place_field(Quantity q, std::string_view field);

// Where the reader's text is the box's own, no handler runs and the value
// would stand in the model as the file gives it, unchecked. It may stand so
// (15.49904 under a box showing 15.4990) only when the box's rules let both
// it and the value of the box's text pass, and both are zero or neither:
// zero is where the boxes warn and hide the controls that lose their
// meaning. Otherwise the loader runs the box's handler on `typed`, as if
// the user had typed it: a value the rules refuse (-0.00001) gives the
// error and the replacement, one too small to show (1e-320) ends as the 0
// the box shows. The warnings already given (m) are not touched.
bool value_may_stand(Quantity q, const FieldPlacement& placement, std::string_view box_text, const Parameters& p,
                     const WarningMemories& m);

// Errors of the loader, shown after signal(25) with the title "Ошибка".
Message parameter_file_missing();
// A file that cannot be a parameter file, refused whole before any value is
// placed: larger than max_parameter_file_bytes, holding a NUL, or with no
// value field that begins with a number (a million empty lines, a binary
// file). An empty file is reported as ended early instead.
std::optional<Message> parameter_file_refusal(const FieldReading& reading);
// The refusal of a file whose size alone shows it too large.
Message parameter_file_too_large();
// Why a reading is of no parameter file, in the words the refusals give
// ("в нём есть нулевые байты, каких в тексте не бывает"); nothing for a
// parameter file, whole or ended early.
std::optional<std::string_view> not_a_parameter_file_reason(const FieldReading& reading);
inline constexpr std::string_view too_large_file_reason = "он больше 1 МБ";
// The reason is the cause in the program's words ("это не обычный файл").
Message parameter_file_unreadable(std::string_view reason);
// Shown after the values the file held have been placed, when it held fewer
// than thirteen.
Message parameter_file_ended_early(const FieldReading& reading);

} // namespace vp
