// SPDX-License-Identifier: GPL-3.0-or-later
// The run of the main window: the start/stop button, the integration loop
// with its pause, and the tone.
#include "shell/form1.h"

#include "graphs/scene.h"
#include "graphs/time_graphs.h"
#include "model/constants.h"
#include "model/number_text.h"
#include "platform/canvas_widget.h"
#include "platform/clock.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"
#include "shell/window_title.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vp {
namespace {

const QString start_caption = QStringLiteral("ПУСК");
const QString stop_caption = QStringLiteral("СТОП");

// The button's caption is the run flag. Some desktops add keyboard
// accelerators ("&") to every caption on their own; they do not change it.
bool shows(const QPushButton* button, const QString& caption)
{
    return button->text().remove(QLatin1Char('&')) == caption;
}

} // namespace

void Form1::CmdOK_Click()
{
    Controls& c = controls_;
    if (shows(c.CmdOK, start_caption)) {
        // A press after a stop request, before the loop has noticed it,
        // would start a run nested inside the one still ending.
        if (run_active_)
            return;
        // The characteristics may lag the quantities: a parameter file can
        // place a value whose box text does not change, and then nothing is
        // recomputed.
        parametr();
        if (!motion_defined(lab_.c)) {
            show_message(QStringLiteral("Ошибка"),
                         QStringLiteral("При этих параметрах движение рассчитать нельзя! Исправьте параметры!"));
            return;
        }
        lab_.run_started = services_.clock->seconds();
        c.CmdOK->setText(stop_caption);
        lock_for_run(true);
        Form_Resize();
        set_resizable(false);
        setWindowTitle(window_title::during_run);
        raschet();
        if (ending_)
            return;
    } else {
        c.CmdOK->setText(start_caption);
        set_resizable(true);
        setWindowTitle(window_title::plain + QLatin1Char('.'));
    }
    setWindowTitle(windowTitle() + window_title::computing_time_report(services_.clock->seconds() - lab_.run_started));
}

void Form1::raschet()
{
    Controls& c = controls_;
    RunState& s = lab_.s;
    run_active_ = true;
    start_run(s, lab_.c.fi0_rad, lab_.p.wz0);
    pacing_.restart();
    while (s.t_f < lab_.p.Tmax && shows(c.CmdOK, stop_caption)) {
        const double before = s.t_f;
        runge_kutta_step(s, {lab_.c.W02, lab_.c.delta, lab_.c.fi_2_x}, lab_.c.shag);
        s.W_poln = total_energy(lab_.c.MI, lab_.c.Mm_L, s.fi_new, s.wz_new);
        const Pictures all = pictures();
        plot_time_point(all.Picture3, all.Picture4, all.Picture14, s);
        show_current_values();
        if (c.Check_p->isChecked())
            write_results_row();
        draw_animation_frame(all.Picture2, all.Picture1, lab_.plane_copy, lab_.p, s);
        Wait(0.01 * lab_.run.zamedlenie);
        if (ending_)
            return;
        // A step too small to advance the time any further ends the run.
        if (s.t_f == before)
            break;
    }
    if (c.Check_p->isChecked()) {
        close_results_file();
        c.Check_p->setChecked(false);
    }
    signal(50);
    c.CmdOK->setText(start_caption);
    lock_for_run(false);
    set_resizable(true);
    setWindowTitle(window_title::plain);
    run_active_ = false;
}

void Form1::show_current_values()
{
    const Controls& c = controls_;
    const RunState& s = lab_.s;
    const std::string separator = decimal_separator();
    auto shown = [&](const char* prefix, double value, const char* suffix) {
        return QString::fromUtf8(prefix) +
               QString::fromStdString(with_decimal_separator(format_number(value, "0.000000"), separator)) +
               QString::fromUtf8(suffix);
    };
    c.Label29->setText(shown("t = ", s.t_f, " c"));
    c.Label30->setText(shown("fi = ", s.fi_new / k_grad_rad, " °"));
    c.Label31->setText(shown("wz = ", s.wz_new, " рад/с"));
    c.Label37->setText(shown("W = ", s.W_poln, " Дж"));
}

void Form1::lock_for_run(bool locked)
{
    const Controls& c = controls_;
    for (QLineEdit* box : c.boxes)
        box->setEnabled(!locked);
    for (QWidget* w : std::initializer_list<QWidget*>{c.HScroll2, c.VScroll1, c.VScroll2, c.VScroll3, c.Check_p})
        w->setEnabled(!locked);
}

void Form1::set_resizable(bool resizable)
{
    if (resizable) {
        if (unlocked_maximum_.isValid()) {
            setMinimumSize(unlocked_minimum_);
            setMaximumSize(unlocked_maximum_);
        }
    } else {
        unlocked_minimum_ = minimumSize();
        unlocked_maximum_ = maximumSize();
        setFixedSize(size());
    }
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
