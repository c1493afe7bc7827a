// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"

#include <QWidget>

namespace vp {

// The facilities the program runs on, over Qt and the system: modal boxes,
// the tone, the pause between steps, the monotonic clock the pause and the
// tone keep time by, the desktop's documents and the file dialog.
struct ProgramFacilities {
    SteadyClock clock;
    QtMessageBoxes boxes;
    AudioTone tone{clock};
    EventLoopPause pause{clock};
    DesktopDocuments documents;
    QtFileDialogs dialogs;

    // The boxes and the dialogs open over the window.
    void set_parent(QWidget* window)
    {
        boxes.set_parent(window);
        dialogs.set_parent(window);
    }
};

} // namespace vp
