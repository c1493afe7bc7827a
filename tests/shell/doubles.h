// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Stand-ins for the platform facilities, so that the window's tests run
// without a person, a sound card or the wall clock.
#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"
#include "shell/services.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace vp::testing {

struct Message {
    QString title;
    QString text;
};

class RecordingBoxes final : public MessageBoxes {
public:
    void show_message(const QString& title, const QString& text) override
    {
        shown.push_back({title, text});
        if (on_message)
            on_message();
    }
    bool ask_yes_no(const QString& title, const QString& text) override
    {
        questions.push_back({title, text});
        return answer_yes;
    }
    std::vector<Message> shown;
    std::vector<Message> questions;
    bool answer_yes = false;
    std::function<void()> on_message;
};

class CountingTone final : public Tone {
public:
    void play(double frequency_hz, int milliseconds) override
    {
        last_frequency = frequency_hz;
        lengths.push_back(milliseconds);
    }
    std::vector<int> lengths;
    double last_frequency = 0;
};

// Lets pending events run instead of waiting; a hook can act "during" the
// pause of a given step, as a user pressing a button would.
class SteppingPause final : public Pause {
public:
    void wait(int milliseconds) override
    {
        requested.push_back(milliseconds);
        QCoreApplication::processEvents();
        if (during)
            during(static_cast<int>(requested.size()));
    }
    std::vector<int> requested;
    std::function<void(int pause_number)> during;
};

class ManualClock final : public Clock {
public:
    double seconds() const override { return now; }
    QDate today() const override { return day; }
    double now = 1000;
    QDate day{2026, 3, 14};
};

class RecordingDocuments final : public DocumentOpener {
public:
    void open_document(const QString& path) override { documents << path; }
    void open_text(const QString& path) override { texts << path; }
    QStringList documents;
    QStringList texts;
};

// Names the file a save command asks for, as a user typing it would; an
// empty answer cancels.
class NamingDialogs final : public FileDialogs {
public:
    QString save_file_name(const QString&, const QString& suggested_path, const QString&) override
    {
        suggested << suggested_path;
        return answer;
    }
    int choose(const QString&, const QString&, const QStringList& options) override
    {
        offered = options;
        return choice;
    }
    std::optional<QString> ask_text(const QString&, const QString&, const QString& text) override
    {
        texts_offered << text;
        return typed;
    }
    Target save_target(const QString& title, const QString& suggested_path, const QString& filters) override
    {
        filters_offered << filters;
        const QString path = save_file_name(title, suggested_path, filters);
        return {path, chosen_filter.isEmpty() ? filters.section(QStringLiteral(";;"), 0, 0) : chosen_filter};
    }
    QStringList suggested;
    QStringList filters_offered;
    QString answer;
    QStringList offered;
    int choice = 0; // -1: cancel
    // The file type chosen, when not the first.
    QString chosen_filter;
    // What is typed where a line of text is asked; nothing: cancel.
    std::optional<QString> typed = QString();
    QStringList texts_offered;
};

struct Doubles {
    RecordingBoxes boxes;
    CountingTone tone;
    SteppingPause pause;
    ManualClock clock;
    RecordingDocuments documents;
    NamingDialogs dialogs;
    int quits = 0;

    Services services(const QString& working_directory = QStringLiteral("."))
    {
        return services_of(*this, working_directory, [this] { ++quits; });
    }
};

} // namespace vp::testing
