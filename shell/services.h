// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <functional>
#include <utility>

namespace vp {

class Clock;
class DocumentOpener;
class FileDialogs;
class MessageBoxes;
class Pause;
class Tone;

// What the main window needs from the platform. The program passes the real
// facilities (shell/program_facilities.h); the benchmarks and the tests pass
// stand-ins that answer boxes and file dialogs, skip pauses and count tones.
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

// The one wiring of the services: a set of facilities names all six, by
// these names, whether it is the program's, a benchmark's or a test's.
template <typename Facilities>
Services services_of(Facilities& f, QString working_directory, std::function<void()> quit)
{
    Services s;
    s.boxes = &f.boxes;
    s.tone = &f.tone;
    s.pause = &f.pause;
    s.clock = &f.clock;
    s.documents = &f.documents;
    s.dialogs = &f.dialogs;
    s.working_directory = std::move(working_directory);
    s.quit = std::move(quit);
    return s;
}

} // namespace vp
