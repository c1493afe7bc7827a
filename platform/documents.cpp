// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/documents.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace vp {
namespace {

void open_if_present(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile())
        return;
    QDesktopServices::openUrl(QUrl::fromLocalFile(file.absoluteFilePath()));
}

} // namespace

void DesktopDocuments::open_document(const QString& path)
{
    open_if_present(path);
}

void DesktopDocuments::open_text(const QString& path)
{
    // A .txt file's associated application on a desktop is its text editor.
    open_if_present(path);
}

} // namespace vp
