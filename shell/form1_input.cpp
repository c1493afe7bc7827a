// SPDX-License-Identifier: GPL-3.0-or-later
// The input side of the main window: the change handlers of the thirteen
// boxes, the parameter-file loader and the results file.
#include "shell/form1.h"

#include "input/parameter_file.h"
#include "input/results_file.h"
#include "platform/message_boxes.h"
#include "platform/text_files.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

namespace vp {
namespace {

QString to_qstring(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

void Form1::show_message(const Message& message)
{
    show_message(to_qstring(message.title()), QString::fromStdString(message.text));
}

std::string Form1::box_text(Quantity q) const
{
    return controls_.box(q)->text().toStdString();
}

void Form1::write_box(Quantity q, const std::string& text)
{
    QLineEdit* edit = controls_.box(q);
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown)
        edit->setText(shown);
}

// The caret keeps its offset from the left, so that a user editing digits
// in place goes on where they were.
void Form1::write_back(Quantity q, const std::string& text)
{
    QLineEdit* edit = controls_.box(q);
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) {
        const int caret = edit->cursorPosition();
        edit->setText(shown);
        edit->setCursorPosition(std::min(caret, static_cast<int>(shown.size())));
    }
}

void Form1::box_message(Quantity, const Message& message)
{
    show_message(message);
}

void Form1::apply_visibility(const Visibility& v)
{
    for (const Ctl control : group_controls(v.group))
        controls_[control]->setVisible(v.visible);
}

void Form1::Label10_Click()
{
    RegularFileReader file;
    if (!file.open(in_working_directory(to_qstring(parameter_file_name)))) {
        show_message(file.missing() ? parameter_file_missing()
                                    : parameter_file_unreadable(file.reason().toStdString()));
        return;
    }
    if (file.size() > static_cast<long long>(max_parameter_file_bytes)) {
        show_message(parameter_file_too_large());
        return;
    }
    const FieldReading reading =
        read_parameter_fields([&file](char* buffer, std::size_t size) { return file.read(buffer, size); });
    if (!file.reason().isEmpty()) {
        show_message(parameter_file_unreadable(file.reason().toStdString()));
        return;
    }
    // A file that is no parameter file changes nothing.
    if (const std::optional<Message> refusal = parameter_file_refusal(reading)) {
        show_message(*refusal);
        return;
    }
    place_parameter_fields(reading, *this);
    if (reading.values_missing())
        show_message(parameter_file_ended_early(reading));
}

void Form1::Check_p_Click()
{
    if (!controls_.Check_p->isChecked())
        return;
    // A tick while the file of an earlier tick is still open starts a new
    // file: the old one is closed with what it holds and then emptied.
    close_results_file();

    std::array<std::string, quantity_count> box_texts;
    for (std::size_t i = 0; i < box_texts.size(); ++i)
        box_texts[i] = controls_.boxes[i]->text().toStdString();
    if (!results_file_.start(services_.working_directory, results_head(box_texts))) {
        // Unticking runs this handler again, which then does nothing.
        controls_.Check_p->setChecked(false);
        show_message(QStringLiteral("Ошибка"), results_file_.failure_text());
    }
}

void Form1::write_results_row()
{
    if (!results_file_.is_open())
        return;
    if (!results_file_.write_row(lab_.run_record, decimal_separator())) {
        // The run goes on; the whole rows written so far stay in the file,
        // and no further row is written.
        close_results_file();
        controls_.Check_p->setChecked(false);
        show_message(QStringLiteral("Ошибка"), results_file_.failure_text());
    }
}

void Form1::close_results_file()
{
    if (results_file_.is_open())
        results_file_.close();
}

} // namespace vp
