// SPDX-License-Identifier: GPL-3.0-or-later
// The run of the main window: the start/stop button, the window's side of
// the integration loop (it draws and pauses after each step), the end of a
// run and the tone.
#include "shell/form1.h"

#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/constants.h"
#include "model/run_check.h"
#include "platform/canvas_widget.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"
#include "shell/window_title.h"
#include "texts/number_text.h"
#include "texts/run_messages.h"

#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vp {

void Form1::CmdOK_Click()
{
    switch (run_.phase()) {
    case RunControl::Phase::idle: start_computation(); break;
    case RunControl::Phase::running: request_stop(); break;
    // A press after a stop request, before the loop has noticed it, would
    // start a run nested inside the one still ending.
    case RunControl::Phase::stop_requested:
    case RunControl::Phase::ending:
    case RunControl::Phase::abandoned: break;
    }
}

void Form1::start_computation()
{
    // The characteristics may lag the quantities: a parameter file can
    // place a value whose box text does not change, and then nothing is
    // recomputed.
    parametr();
    if (const RunRefusal refusal = run_refusal(lab_.p, lab_.c); refusal != RunRefusal::none) {
        show_message(QStringLiteral("Ошибка"),
                     QString::fromStdString(refusal_message(refusal, lab_.p, lab_.c, step_period())));
        return;
    }
    bring_results_head_up_to_date();
    lab_.run_started = services_.clock->seconds();
    run_.start();
    show_run_caption();
    lock_for_run(true);
    Form_Resize();
    set_resizable(false);
    setWindowTitle(window_title::during_run);

    pacing_.restart();
    frame_wait_ = 0;
    screen_behind_ = false;
    lab_.run_record.start(lab_.c, lab_.p);
    follow_analysis();
    const RunEnd end = raschet(lab_.s, lab_.p, lab_.c, run_, *this);
    if (end == RunEnd::abandoned)
        return;
    lab_.run_record.finish();
    follow_analysis();
    const std::optional<Message> results_notice = end_of_run();
    setWindowTitle(windowTitle() + window_title::computing_time_report(services_.clock->seconds() - lab_.run_started));
    // A run whose rows went elsewhere, or could not be kept, and a run that
    // could not go on say so, once the window is unlocked.
    if (results_notice)
        show_message(*results_notice);
    if (end == RunEnd::motion_undefined)
        show_message(QStringLiteral("Ошибка"), QString::fromStdString(refusal_message(run_refusal(lab_.p, lab_.c),
                                                                                      lab_.p, lab_.c, step_period())));
    else if (end == RunEnd::motion_failed)
        show_message(QStringLiteral("Ошибка"),
                     QString::fromStdString(failure_message(lab_.s.t_f, decimal_separator())));
}

// Nested inside the run's pause: the loop ends after the step in progress.
void Form1::request_stop()
{
    run_.request_stop();
    show_run_caption();
    set_resizable(true);
    setWindowTitle(window_title::plain + QLatin1Char('.') +
                   window_title::computing_time_report(services_.clock->seconds() - lab_.run_started));
}

void Form1::step_done(const RunState& s)
{
    // Steps come up to a hundred times a second, a screen shows sixty frames
    // at most: every step is drawn, and the pictures and readouts are shown
    // once a frame of the run's paced time. The last step of a run is always
    // shown.
    screen_behind_ = frame_wait_ > 0;
    if (!screen_behind_)
        frame_wait_ += 1.0 / 60;
    frame_wait_ -= step_period();
    hold_pictures(screen_behind_);
    lab_.run_record.append(s, lab_.p, lab_.c);
    follow_analysis();
    const Pictures all = pictures();
    plot_time_point(all.Picture3, all.Picture4, all.Picture14, s);
    if (!screen_behind_)
        show_current_values();
    if (controls_.Check_p->isChecked())
        write_results_row();
    draw_animation_frame(all.Picture2, all.Picture1, lab_.plane_copy, lab_.p, s);
    Wait(step_period());
}

std::optional<Message> Form1::end_of_run()
{
    Controls& c = controls_;
    std::optional<Message> results_notice;
    if (c.Check_p->isChecked()) {
        if (!results_file_.finish(lab_.run_record, decimal_separator()))
            results_notice = Message{MessageKind::error, results_file_.failure_text().toStdString()};
        else if (const QString moved = results_file_.moved_text(); !moved.isEmpty())
            results_notice = Message{MessageKind::warning, moved.toStdString()};
        c.Check_p->setChecked(false);
    }
    if (screen_behind_)
        show_current_values();
    hold_pictures(false);
    signal(50);
    run_.finish();
    show_run_caption();
    lock_for_run(false);
    set_resizable(true);
    setWindowTitle(window_title::plain);
    return results_notice;
}

void Form1::hold_pictures(bool held)
{
    for (CanvasWidget* picture : controls_.picture_widgets())
        picture->hold_repaints(held);
}

void Form1::show_run_caption()
{
    controls_.CmdOK->setText(run_.shows_stop() ? QStringLiteral("СТОП") : QStringLiteral("ПУСК"));
}

void Form1::show_current_values()
{
    const Controls& c = controls_;
    const RunState& s = lab_.s;
    const std::string separator = decimal_separator();
    // A screen reader hears the Greek letters the texts spell out.
    auto show = [&](QLabel* label, const char* prefix, const char* spoken, double value, const char* suffix) {
        const QString number =
            QString::fromStdString(with_decimal_separator(format_number(value, "0.000000"), separator)) +
            QString::fromUtf8(suffix);
        label->setText(QString::fromUtf8(prefix) + number);
        label->setAccessibleName(QString::fromUtf8(spoken) + number);
    };
    show(c.Label29, "t = ", "t = ", s.t_f, " c");
    show(c.Label30, "fi = ", "φ = ", s.fi_new / k_grad_rad, " °");
    show(c.Label31, "wz = ", "ω = ", s.wz_new, " рад/с");
    show(c.Label37, "W = ", "W = ", s.W_poln, " Дж");
}

void Form1::lock_for_run(bool locked)
{
    const Controls& c = controls_;
    for (QLineEdit* box : c.boxes)
        box->setEnabled(!locked);
    for (QWidget* w : std::initializer_list<QWidget*>{c.HScroll2, c.VScroll1, c.VScroll2, c.VScroll3, c.Check_p})
        w->setEnabled(!locked);
}

// A window of its own size gets that size fixed; a maximised or full-screen
// one keeps its state, which the desktop does not let the user resize, and
// is put back in it should it leave it during the run (fixing its size would
// make the desktop restore and move it).
void Form1::set_resizable(bool resizable)
{
    if (resizable) {
        held_state_ = Qt::WindowNoState;
        if (unlocked_maximum_.isValid()) {
            setMinimumSize(unlocked_minimum_);
            setMaximumSize(unlocked_maximum_);
            unlocked_maximum_ = QSize();
        }
        return;
    }
    held_state_ = windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen);
    if (held_state_ != Qt::WindowNoState)
        return;
    unlocked_minimum_ = minimumSize();
    unlocked_maximum_ = maximumSize();
    setFixedSize(size());
}

void Form1::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange || held_state_ == Qt::WindowNoState)
        return;
    const Qt::WindowStates now = windowState();
    if (!(now & Qt::WindowMinimized) && !(now & held_state_))
        setWindowState((now & ~(Qt::WindowMaximized | Qt::WindowFullScreen)) | held_state_);
}

void Form1::signal(int n)
{
    services_.tone->play(880, 12 * n);
}

void Form1::Wait(double seconds)
{
    services_.pause->wait(pacing_.pause_ms(services_.clock->seconds(), seconds));
}

} // namespace vp
