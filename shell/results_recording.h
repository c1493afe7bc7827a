// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text_files.h"

#include <QString>

#include <string>
#include <string_view>
#include <vector>

namespace vp {

class RunRecord;

// The results file of one recorded run, from the tick to the end of the run,
// kept so that no run's rows are lost:
//   - The tick makes vibrel_out.txt with its head. A file of that name that
//     holds an earlier run's rows is kept as vibrel_out.prev.txt (one
//     generation) rather than emptied.
//   - Before each row and at the end of the run, the name is checked. When
//     it no longer leads to the file being written (deleted, renamed or
//     replaced during the run), the head and every row so far, taken from
//     the kept run, are written to a new file: vibrel_out.txt where that
//     name is free, else vibrel_out.1.txt, vibrel_out.2.txt, ...; the run's
//     further rows follow them there. The rows are those of an undisturbed
//     run, byte for byte.
class ResultsRecording {
public:
    // The tick: the file in `folder` with these head lines. False when it
    // cannot be written; failure_text() says so.
    bool start(const QString& folder, std::vector<std::string> head);
    bool is_open() const { return file_.is_open(); }
    // The row of the run's latest step; the rows before it are the run's
    // first ones. False when it cannot be written: the file then ends with
    // its last whole row and is closed.
    bool write_row(const RunRecord& run, std::string_view decimal_separator);
    // The end of the run or of the program: the name is checked once more,
    // the file closed.
    bool finish(const RunRecord& run, std::string_view decimal_separator);
    void close() { file_.close(); }

    // The message of the last failure, for a box titled "Ошибка".
    QString failure_text() const { return failure_text_; }
    // For the end of the run: where the rows went when the name was lost,
    // empty when they stayed where they were.
    QString moved_text() const;

private:
    bool move_rows(const RunRecord& run, std::string_view decimal_separator);
    bool write_all(const RunRecord& run, std::string_view decimal_separator);

    Cp1251Writer file_;
    QString folder_;
    std::vector<std::string> head_;
    // The name the rows are written under now.
    QString name_;
    // Rows written: the run's first ones.
    std::size_t rows_ = 0;
    bool moved_ = false;
    QString failure_text_;
};

} // namespace vp
