// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <optional>
#include <string_view>

namespace vp {

// The whole content of a file, or nothing with the reason in *error.
std::optional<QByteArray> read_whole_file(const QString& path, QString* error);

// A text file written line by line in Windows-1251 with CR LF line ends, the
// single-byte code page lab computers read the results in. Every line is
// flushed as it is written, so a crash or a kill loses no line already shown.
class Cp1251Writer {
public:
    Cp1251Writer();
    // Creates the file or empties an existing one.
    bool open(const QString& path);
    // A UTF-8 line without its line end; characters the code page lacks
    // become "?".
    bool write_line(std::string_view utf8);
    void close();
    bool is_open() const { return file_.isOpen(); }
    // Why the last open or write failed.
    QString error() const { return error_; }

private:
    QFile file_;
    QStringEncoder encoder_;
    QString error_;
};

} // namespace vp
