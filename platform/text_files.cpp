// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vp {
namespace {

QString not_regular_reason(const struct stat& st)
{
    return S_ISDIR(st.st_mode) ? QStringLiteral("это папка, а не файл") : QStringLiteral("это не обычный файл");
}

// open(2) with the path in the file system's encoding, retried when a signal
// interrupts it.
int open_path(const QString& path, int flags, mode_t mode = 0)
{
    const QByteArray name = QFile::encodeName(path);
    int fd = -1;
    do {
        fd = ::open(name.constData(), flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

struct Opened {
    int fd = -1;
    int error = 0; // errno of a failed open
    QString reason;
    struct stat st {};
};

// Opens the path without blocking, so that a FIFO returns at once, and keeps
// the descriptor only when it is a regular file; otherwise closes it and
// says why. The kind is checked on the open descriptor itself.
Opened open_regular(const QString& path, int flags, mode_t mode = 0)
{
    Opened o;
    o.fd = open_path(path, flags | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, mode);
    if (o.fd < 0) {
        o.error = errno;
        o.reason = failure_reason(o.error);
        return o;
    }
    if (::fstat(o.fd, &o.st) != 0)
        o.reason = failure_reason(errno);
    else if (!S_ISREG(o.st.st_mode))
        o.reason = not_regular_reason(o.st);
    else
        return o;
    ::close(o.fd);
    o.fd = -1;
    return o;
}

bool is_symbolic_link(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISLNK(st.st_mode);
}

// A file the program writes over must be the user's own and have no other
// name: through a link, someone else's file or a second name of a file, the
// user's tick would empty a file that is not the one the user sees.
QString why_not_own(const struct stat& st)
{
    if (st.st_uid != ::geteuid())
        return QStringLiteral("файл принадлежит другому пользователю");
    if (st.st_nlink > 1)
        return QStringLiteral("у файла есть и другие имена (жёсткие ссылки)");
    return {};
}

// Whether the open file holds more than `lines` lines (a last line without
// its line end counts). Only the first MiB is looked at: what holds no more
// line ends there is no short file.
bool has_more_lines(int fd, int lines)
{
    constexpr std::size_t looked_at = 1 << 20;
    char piece[64 * 1024];
    int line_ends = 0;
    off_t offset = 0;
    while (static_cast<std::size_t>(offset) < looked_at) {
        const ssize_t n = ::pread(fd, piece, sizeof piece, offset);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        for (ssize_t i = 0; i < n; ++i) {
            if (line_ends == lines)
                return true;
            if (piece[i] == '\n')
                ++line_ends;
        }
        offset += n;
    }
    return true;
}

} // namespace

QString failure_reason(int error_number)
{
    switch (error_number) {
    case ENOENT: return QStringLiteral("нет такого файла");
    case EACCES:
    case EPERM: return QStringLiteral("нет прав доступа");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("диск заполнен");
    case EISDIR: return QStringLiteral("это папка, а не файл");
    case EROFS: return QStringLiteral("файловая система только для чтения");
    case EFBIG: return QStringLiteral("файл стал слишком большим");
    case ENXIO:
    case ENODEV: return QStringLiteral("это не обычный файл");
    case ELOOP: return QStringLiteral("слишком много символических ссылок");
    case EEXIST: return QStringLiteral("файл с таким именем уже есть");
    case ENOTDIR: return QStringLiteral("часть пути — не папка");
    default: return QStringLiteral("ошибка ввода-вывода (код %1)").arg(error_number);
    }
}

QString folder_unusable_reason(const QString& folder)
{
    // Up to the nearest step that exists, then one step down: the reason
    // that step cannot be made is the folder's.
    QString path = QDir::cleanPath(QDir(folder).absolutePath());
    QString below;
    struct stat st {};
    while (::stat(QFile::encodeName(path).constData(), &st) != 0) {
        if (errno != ENOENT)
            return failure_reason(errno);
        below = path;
        const QString parent = QFileInfo(path).path();
        if (parent == path)
            return failure_reason(ENOENT);
        path = parent;
    }
    if (!S_ISDIR(st.st_mode))
        return below.isEmpty() ? QStringLiteral("это файл, а не папка") : failure_reason(ENOTDIR);
    if (::access(QFile::encodeName(path).constData(), W_OK | X_OK) != 0)
        return failure_reason(errno);
    return {};
}

RegularFileReader::~RegularFileReader()
{
    if (fd_ >= 0)
        ::close(fd_);
}

bool RegularFileReader::open(const QString& path)
{
    const Opened opened = open_regular(path, O_RDONLY);
    fd_ = opened.fd;
    missing_ = opened.error == ENOENT;
    reason_ = opened.reason;
    size_ = fd_ >= 0 ? static_cast<long long>(opened.st.st_size) : 0;
    return fd_ >= 0;
}

std::size_t RegularFileReader::read(char* buffer, std::size_t size)
{
    if (fd_ < 0)
        return 0;
    ssize_t n = 0;
    do {
        n = ::read(fd_, buffer, size);
    } while (n < 0 && errno == EINTR);
    if (n < 0) {
        reason_ = failure_reason(errno);
        return 0;
    }
    return static_cast<std::size_t>(n);
}

Cp1251Writer::Cp1251Writer() : encoder_("windows-1251")
{
}

Cp1251Writer::~Cp1251Writer()
{
    close();
}

bool Cp1251Writer::open(const QString& path, const QString& previous, int kept_lines)
{
    close();
    kept_previous_ = false;
    // Without the converter every line would come out empty.
    if (!encoder_.isValid()) {
        error_ = QStringLiteral("кодировка windows-1251 недоступна");
        return false;
    }
    // Only after the file has shown itself regular and the user's own is it
    // emptied: a device, a FIFO or a file reached otherwise is left as it is.
    // A symbolic link is never followed, not even one that leads nowhere
    // (creating its target would write elsewhere).
    const int access = previous.isEmpty() ? O_WRONLY : O_RDWR;
    Opened opened = open_regular(path, access | O_CREAT | O_NOFOLLOW, 0666);
    if (opened.fd < 0) {
        error_ = opened.error == ELOOP && is_symbolic_link(path) ? QStringLiteral("это символическая ссылка")
                                                                 : opened.reason;
        return false;
    }
    error_ = why_not_own(opened.st);
    if (!error_.isEmpty()) {
        ::close(opened.fd);
        return false;
    }
    if (!previous.isEmpty() && has_more_lines(opened.fd, kept_lines)) {
        ::close(opened.fd);
        if (::rename(QFile::encodeName(path).constData(), QFile::encodeName(previous).constData()) != 0) {
            error_ = QStringLiteral("прежний файл не удаётся сохранить под именем %1: %2")
                         .arg(QFileInfo(previous).fileName(), failure_reason(errno));
            return false;
        }
        kept_previous_ = true;
        return create(path);
    }
    if (::ftruncate(opened.fd, 0) != 0) {
        error_ = failure_reason(errno);
        ::close(opened.fd);
        return false;
    }
    return adopt(opened.fd, path);
}

bool Cp1251Writer::create(const QString& path)
{
    close();
    const Opened opened = open_regular(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
    taken_ = opened.error == EEXIST;
    error_ = opened.reason;
    return opened.fd >= 0 && adopt(opened.fd, path);
}

bool Cp1251Writer::adopt(int fd, const QString& path)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        error_ = failure_reason(errno);
        ::close(fd);
        return false;
    }
    fd_ = fd;
    path_ = path;
    device_ = st.st_dev;
    inode_ = st.st_ino;
    whole_lines_end_ = 0;
    return true;
}

bool Cp1251Writer::still_named() const
{
    struct stat st {};
    return fd_ >= 0 && ::lstat(QFile::encodeName(path_).constData(), &st) == 0 && st.st_dev == device_ &&
           st.st_ino == inode_;
}

bool Cp1251Writer::write_line(std::string_view utf8)
{
    if (fd_ < 0)
        return false;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    QByteArray bytes = encoder_.encode(text);
    // The converter marks a character the code page lacks with the control
    // character SUB, one byte per character; a reader expects "?".
    const QList<uint> characters = text.toUcs4();
    if (bytes.size() == characters.size()) {
        for (qsizetype i = 0; i < bytes.size(); ++i) {
            if (bytes[i] == '\x1A' && characters[i] != 0x1A)
                bytes[i] = '?';
        }
    }
    bytes.append("\r\n", 2);

    const char* from = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, from, static_cast<std::size_t>(left));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = failure_reason(n < 0 ? errno : ENOSPC);
            // Whatever part of the line went out is taken back.
            if (::ftruncate(fd_, static_cast<off_t>(whole_lines_end_)) == 0)
                ::lseek(fd_, static_cast<off_t>(whole_lines_end_), SEEK_SET);
            close();
            return false;
        }
        from += n;
        left -= n;
    }
    whole_lines_end_ += bytes.size();
    return true;
}

void Cp1251Writer::close()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

WholeFileWriter::~WholeFileWriter()
{
    discard();
}

bool WholeFileWriter::open(const QString& path)
{
    discard();
    path_ = path;
    const QFileInfo target(path);
    // A hidden name beside the file, made afresh: nothing of the user's is
    // touched before the commit.
    for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
        new_path_ = target.dir().filePath(QStringLiteral(".%1.%2-%3.new")
                                              .arg(target.fileName())
                                              .arg(static_cast<long long>(::getpid()))
                                              .arg(attempt));
        fd_ = open_path(new_path_, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
        if (fd_ < 0 && errno != EEXIST)
            break;
    }
    if (fd_ < 0) {
        error_ = errno == ENOENT ? QStringLiteral("нет такой папки") : failure_reason(errno);
        new_path_.clear();
        return false;
    }
    // A file written over keeps who may read it.
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode))
        ::fchmod(fd_, st.st_mode & 07777);
    return true;
}

bool WholeFileWriter::write(const char* data, std::size_t size)
{
    while (fd_ >= 0 && size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            error_ = failure_reason(n < 0 ? errno : ENOSPC);
            discard();
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return fd_ >= 0;
}

bool WholeFileWriter::commit()
{
    if (fd_ < 0)
        return false;
    // On the disk before it takes the name, where the file system can: a
    // crash then leaves the old file or the whole new one.
    ::fsync(fd_);
    const int closed = ::close(fd_);
    fd_ = -1;
    if (closed != 0 || ::rename(QFile::encodeName(new_path_).constData(), QFile::encodeName(path_).constData()) != 0) {
        error_ = failure_reason(errno);
        discard();
        return false;
    }
    new_path_.clear();
    return true;
}

void WholeFileWriter::discard()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
    if (!new_path_.isEmpty())
        ::unlink(QFile::encodeName(new_path_).constData());
    new_path_.clear();
}

} // namespace vp
