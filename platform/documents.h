// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace vp {

// Opens the accompanying documents. A missing document, or a desktop without
// an application for it, is passed over in silence.
class DocumentOpener {
public:
    virtual ~DocumentOpener() = default;
    // With the application the desktop associates with the file's type.
    virtual void open_document(const QString& path) = 0;
    // In the desktop's plain-text editor.
    virtual void open_text(const QString& path) = 0;
};

// Through Qt's desktop services (xdg-open on a Linux desktop): the file name
// travels as a URL, never through a shell command line.
class DesktopDocuments final : public DocumentOpener {
public:
    void open_document(const QString& path) override;
    void open_text(const QString& path) override;
};

} // namespace vp
