// SPDX-License-Identifier: GPL-3.0-or-later
// The input side of the main window: the change handlers of the thirteen
// boxes, the parameter-file loader and the results file.
#include "shell/form1.h"

#include "input/caret.h"
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

std::u16string_view utf16(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
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

// The write-back runs the box's handler again, nested, when it changes the
// text. The caret stays among the characters the user typed, so that the
// next keystroke goes on where the last one ended; text still selected is
// replaced as a whole, and the caret follows the new text.
void Form1::write_back(Quantity q, const std::string& text)
{
    QLineEdit* edit = controls_.box(q);
    const QString shown = QString::fromStdString(text);
    if (edit->text() != shown) {
        const QString edited = edit->text();
        const int caret = edit->cursorPosition();
        const bool selected = edit->hasSelectedText();
        edit->setText(shown);
        const QString written = edit->text();
        edit->setCursorPosition(selected ? static_cast<int>(written.size())
                                         : caret_after_write_back(utf16(edited), caret, utf16(written)));
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
    write_results_head();
}

std::array<std::string, quantity_count> Form1::box_texts() const
{
    std::array<std::string, quantity_count> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = controls_.boxes[i]->text().toStdString();
    return texts;
}

// A new file, its head from the boxes as they stand now.
void Form1::write_results_head()
{
    // A tick while the file of an earlier tick is still open starts a new
    // file: the old one is closed with what it holds and then emptied.
    close_results_file();

    head_texts_ = box_texts();
    if (!results_file_.start(services_.working_directory, results_head(head_texts_))) {
        // Unticking runs the box's handler again, which then does nothing.
        controls_.Check_p->setChecked(false);
        show_message(QStringLiteral("Ошибка"), results_file_.failure_text());
    }
}

// The head of the file tells the values of the run it records: values
// changed after the tick are written into a new head before the first row.
void Form1::bring_results_head_up_to_date()
{
    if (controls_.Check_p->isChecked() && results_file_.is_open() && box_texts() != head_texts_)
        write_results_head();
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
