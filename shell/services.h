// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>

namespace vp {

class Clock;
class DocumentOpener;
class FileDialogs;
class MessageBoxes;
class Pause;
class Tone;

// What the main window needs from the platform. The program passes the real
// facilities; the tests pass doubles that answer boxes and file dialogs,
// skip pauses and count tones.
struct Services {
    MessageBoxes* boxes = nullptr;
    Tone* tone = nullptr;
    Pause* pause = nullptr;
    Clock* clock = nullptr;
    DocumentOpener* documents = nullptr;
    FileDialogs* dialogs = nullptr;
    // Where the documents, the parameter file and the results file live.
    QString working_directory = QStringLiteral(".");
    // Ends the program at once (after the window has closed its files).
    std::function<void()> quit;
};

} // namespace vp
