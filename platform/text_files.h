// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringEncoder>

#include <cstddef>
#include <string_view>
#include <sys/types.h>

namespace vp {

// Why a file operation failed, in the program's own words: the common
// causes by name, a general wording otherwise.
QString failure_reason(int error_number);

// Why a working folder cannot be used, found as making it would find it:
// the first step of the path that is missing and cannot be made, a step
// that is a file, or a folder the user may not write in. Empty when the
// folder can be used.
QString folder_unusable_reason(const QString& folder);

// A regular file opened for reading and read in pieces, so that memory stays
// the same whatever its size. A FIFO, a device or a folder is refused at
// once: reading one could hold the program or never end.
class RegularFileReader {
public:
    RegularFileReader() = default;
    RegularFileReader(const RegularFileReader&) = delete;
    RegularFileReader& operator=(const RegularFileReader&) = delete;
    ~RegularFileReader();

    // False, with the reason, when the file is missing, not regular or not
    // readable.
    bool open(const QString& path);
    // Up to size bytes into buffer; 0 at the end of the file, or after a
    // failure (reason() then says why).
    std::size_t read(char* buffer, std::size_t size);
    bool missing() const { return missing_; }
    QString reason() const { return reason_; }
    // The size of the file when it was opened, bytes.
    long long size() const { return size_; }

private:
    int fd_ = -1;
    bool missing_ = false;
    long long size_ = 0;
    QString reason_;
};

// A text file written line by line in Windows-1251 with CR LF line ends, the
// single-byte code page lab computers read the results in. Every line is
// written through at once, so a crash or a kill loses no line already
// shown; a line is written whole or not at all.
class Cp1251Writer {
public:
    Cp1251Writer();
    Cp1251Writer(const Cp1251Writer&) = delete;
    Cp1251Writer& operator=(const Cp1251Writer&) = delete;
    ~Cp1251Writer();

    // Creates the file or empties an existing one. Refuses anything but a
    // regular file (a FIFO would hold the program until someone read it),
    // and a symbolic link, another user's file or a file with a second name:
    // emptying those would empty a file elsewhere, perhaps someone else's.
    // With a `previous` name, an existing file of more than kept_lines lines
    // is not emptied but renamed to it, replacing a file of that name, and a
    // new file takes its place.
    bool open(const QString& path, const QString& previous = {}, int kept_lines = 0);
    // Makes a new file; false when the name is taken (taken() then says so)
    // or the file cannot be made.
    bool create(const QString& path);
    // Whether the file's name still leads to the file being written; false
    // once it has been deleted, renamed or replaced.
    bool still_named() const;
    // A UTF-8 line without its line end; characters the code page lacks
    // become "?". A line that cannot be written whole is taken back: the file
    // ends with the last whole line, and the writer is closed.
    bool write_line(std::string_view utf8);
    void close();
    bool is_open() const { return fd_ >= 0; }
    // Why the last open or write failed.
    QString error() const { return error_; }
    // The last open kept the earlier file under its previous name.
    bool kept_previous() const { return kept_previous_; }
    // The last create found the name taken.
    bool taken() const { return taken_; }

private:
    bool adopt(int fd, const QString& path);

    int fd_ = -1;
    QString path_;
    // The file written, as the file system knows it.
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool kept_previous_ = false;
    bool taken_ = false;
    // The length of the file up to the end of its last whole line, bytes.
    long long whole_lines_end_ = 0;
    QStringEncoder encoder_;
    QString error_;
};

// A file written whole or not at all, as a save command writes it: the
// bytes go to a new file beside it, which takes the file's name only when
// all of them are written; a failure leaves any file of that name as it was
// and says why, in the program's words.
class WholeFileWriter {
public:
    WholeFileWriter() = default;
    WholeFileWriter(const WholeFileWriter&) = delete;
    WholeFileWriter& operator=(const WholeFileWriter&) = delete;
    // A file not committed is removed.
    ~WholeFileWriter();

    bool open(const QString& path);
    bool write(const char* data, std::size_t size);
    // The new file takes the name, replacing what was there.
    bool commit();
    QString error() const { return error_; }

private:
    void discard();

    int fd_ = -1;
    QString path_;
    QString new_path_;
    QString error_;
};

} // namespace vp
