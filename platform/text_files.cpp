// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text_files.h"

namespace vp {

std::optional<QByteArray> read_whole_file(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return content;
}

Cp1251Writer::Cp1251Writer() : encoder_("windows-1251")
{
}

bool Cp1251Writer::open(const QString& path)
{
    close();
    // Without the converter every line would come out empty.
    if (!encoder_.isValid()) {
        error_ = QStringLiteral("кодировка windows-1251 недоступна");
        return false;
    }
    file_.setFileName(path);
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error_ = file_.errorString();
        return false;
    }
    error_.clear();
    return true;
}

bool Cp1251Writer::write_line(std::string_view utf8)
{
    if (!file_.isOpen())
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
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        error_ = file_.errorString();
        return false;
    }
    return true;
}

void Cp1251Writer::close()
{
    if (file_.isOpen())
        file_.close();
}

} // namespace vp
