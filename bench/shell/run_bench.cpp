// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/parameter_file.h"
#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/file_dialogs.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"
#include "series/series.h"
#include "series/series_values.h"
#include "shell/form1.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPaintEvent>
#include <QRegularExpression>
#include <QScreen>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

class SilentTone final : public vp::Tone {
public:
    void play(double, int) override {}
};

class NoBoxes final : public vp::MessageBoxes {
public:
    void show_message(const QString&, const QString&) override {}
    bool ask_yes_no(const QString&, const QString&) override { return true; }
};

class NoDocuments final : public vp::DocumentOpener {
public:
    void open_document(const QString&) override {}
    void open_text(const QString&) override {}
};

// Counts the steps and lets window events run, as the real pause does, but
// without waiting: the repaints a step asks for happen inside it.
class CountingPause final : public vp::Pause {
public:
    void wait(int) override
    {
        ++steps;
        QCoreApplication::processEvents();
    }
    long steps = 0;
};

// The real pause, counted; `each` (if any) runs before every one.
class PacedPause final : public vp::Pause {
public:
    void wait(int milliseconds) override
    {
        ++steps;
        if (each)
            each();
        real.wait(milliseconds);
    }
    vp::SteadyClock clock;
    vp::EventLoopPause real{clock};
    long steps = 0;
    std::function<void()> each;
};

// The device pixels that widgets repaint: what goes to the window's backing
// store and from there to the screen, which the offscreen platform does not
// show in the time.
class PaintedArea final : public QObject {
public:
    PaintedArea() { QCoreApplication::instance()->installEventFilter(this); }
    ~PaintedArea() override { QCoreApplication::instance()->removeEventFilter(this); }
    double pixels = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            if (const auto* widget = qobject_cast<QWidget*>(watched)) {
                const double ratio = widget->devicePixelRatioF();
                for (const QRect& r : static_cast<QPaintEvent*>(event)->region())
                    pixels += r.width() * ratio * r.height() * ratio;
            }
        }
        return false;
    }
};

// The CPU seconds used so far by the X server the program draws on, when it
// runs under xvfb-run; 0 on the offscreen platform. The server copies every
// repainted pixel once more, and its time belongs to the step as well.
double x_server_seconds()
{
    static const long server = [] {
        const char* display = std::getenv("DISPLAY");
        if (QGuiApplication::platformName() != QLatin1String("xcb") || display == nullptr)
            return 0L;
        for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            bool number = false;
            const long pid = entry.toLong(&number);
            if (!number)
                continue;
            QFile cmdline(QStringLiteral("/proc/%1/cmdline").arg(pid));
            if (!cmdline.open(QIODevice::ReadOnly))
                continue;
            const QList<QByteArray> args = cmdline.readAll().split('\0');
            if (!args.isEmpty() && args.first().endsWith("Xvfb") && args.contains(QByteArray(display)))
                return pid;
        }
        return 0L;
    }();
    if (server == 0)
        return 0;
    std::ifstream stat("/proc/" + std::to_string(server) + "/stat");
    std::string field;
    // utime and stime are the 14th and 15th fields; the name (2nd) has no
    // blank for Xvfb.
    double ticks = 0;
    for (int i = 1; i <= 15 && stat >> field; ++i) {
        if (i >= 14)
            ticks += std::stod(field);
    }
    return ticks / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The platform a benchmarked window runs on: silent, without boxes or
// documents, on the real clock.
struct Platform {
    SilentTone tone;
    NoBoxes boxes;
    NoDocuments documents;
    vp::QtFileDialogs dialogs;
    vp::SteadyClock clock;
    vp::Pause& pause;

    explicit Platform(vp::Pause& pause) : pause(pause) {}
    vp::Services services()
    {
        return vp::services_of(*this, QStringLiteral("."), [] {});
    }
};

struct Window {
    Platform platform;
    std::unique_ptr<vp::Form1> form;

    // An empty size: the screen's whole available area, as a maximised
    // window has it.
    Window(vp::Pause& pause, const char* Tmax, QSize size) : platform(pause)
    {
        form = std::make_unique<vp::Form1>(platform.services());
        form->show();
        if (size.isEmpty()) {
            const QRect area = form->screen()->availableGeometry();
            form->move(area.topLeft());
            size = area.size();
        }
        form->resize(size);
        QCoreApplication::processEvents();
        form->controls().box(vp::Quantity::Tmax)->setText(QString::fromLatin1(Tmax));
        QCoreApplication::processEvents();
    }
};

// What the benchmarks time, kept out of line so that callgrind can count
// just that: valgrind --tool=callgrind --toggle-collect='*measured_*'.
[[gnu::noinline]] void measured_run(vp::Form1& form)
{
    form.CmdOK_Click();
}

[[gnu::noinline]] void measured_redraw(vp::Form1& form)
{
    form.Form_Resize();
    QCoreApplication::processEvents();
}

[[gnu::noinline]] void measured_load(vp::Form1& form)
{
    form.Label10_Click();
    QCoreApplication::processEvents();
}

[[gnu::noinline]] std::unique_ptr<vp::Form1> measured_start_up(const vp::Services& services)
{
    auto form = std::make_unique<vp::Form1>(services);
    form->show();
    QCoreApplication::processEvents();
    return form;
}

[[gnu::noinline]] void measured_keystroke(QLineEdit& box, const QString& text)
{
    box.setText(text);
    QCoreApplication::processEvents();
}

QSize size_of(const benchmark::State& state)
{
    return {static_cast<int>(state.range(0)), static_cast<int>(state.range(1))};
}

// Every benchmark repeats; the spread matters on a shared machine.
void spread(benchmark::internal::Benchmark* b)
{
    b->Repetitions(5)
        ->ComputeStatistics("min", [](const std::vector<double>& v) { return *std::min_element(v.begin(), v.end()); })
        ->ComputeStatistics("max", [](const std::vector<double>& v) { return *std::max_element(v.begin(), v.end()); })
        ->ReportAggregatesOnly(true);
}

// Everything a step costs besides its pause: the integration step, the three
// curve segments, the four readouts, the animation frame and the repaint of
// what changed, with the defaults (n_tochek = 100, 185 steps to Tmax = 4 s).
// per_step is CPU time; x_per_step the X server's under xvfb-run; painted the
// device pixels repainted per step; steps counts them all, for dividing an
// instruction count. Run with QT_SCALE_FACTOR=2 for a screen
// of device pixel ratio 2.
void BM_RunStep(benchmark::State& state)
{
    CountingPause pause;
    Window window(pause, "4", size_of(state));
    PaintedArea painted;
    const double x_before = x_server_seconds();
    for (auto _ : state)
        measured_run(*window.form);
    const double steps = static_cast<double>(pause.steps);
    state.counters["per_step"] = benchmark::Counter(steps, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["x_per_step"] = (x_server_seconds() - x_before) / steps;
    state.counters["painted"] = painted.pixels / steps;
    state.counters["steps"] = steps;
    state.counters["ratio"] = window.form->devicePixelRatioF();
}
BENCHMARK(BM_RunStep)->Args({700, 532})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->Apply(spread);

// What a benchmark of whole passes reports beside the CPU time: the X
// server's time and the device pixels repainted per pass, and the ratio.
class PassCounters {
public:
    PassCounters() : x_before_(x_server_seconds()) {}
    void report(benchmark::State& state, const vp::Form1& form) const
    {
        state.counters["x_per_pass"] =
            benchmark::Counter(x_server_seconds() - x_before_, benchmark::Counter::kAvgIterations);
        state.counters["painted"] = benchmark::Counter(painted_.pixels, benchmark::Counter::kAvgIterations);
        state.counters["ratio"] = form.devicePixelRatioF();
    }

private:
    PaintedArea painted_;
    double x_before_;
};

// One full re-layout, recomputation and redraw, with its repaint; nothing
// has changed since the last.
void BM_FormResize(benchmark::State& state)
{
    CountingPause pause;
    Window window(pause, "16", size_of(state));
    const PassCounters counters;
    for (auto _ : state)
        measured_redraw(*window.form);
    counters.report(state, *window.form);
}
BENCHMARK(BM_FormResize)->Args({700, 532})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->Apply(spread);

// Two parameter sets that differ in all thirteen values, in the file's
// layout: a name, the value and a unit on each line, then an end line.
std::string parameter_file(const std::vector<const char*>& values)
{
    std::string text;
    for (const char* v : values)
        text += std::string("q, ") + v + ", u\r\n";
    return text + "end\r\n";
}

// A load of the parameter file, alternately one set and the other, so that
// every box changes and runs the redraw (15 passes a load).
void BM_ParameterFileLoad(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.path());
    const std::string sets[] = {
        parameter_file(
            {"15.499", "0.4", "0.3", "0.47", "1.5", "0.5881", "0.008", "1.2", "1000", "0.001004", "37", "-3.5", "16"}),
        parameter_file(
            {"44.17", "0.32", "0.28", "0.5", "1.2", "0.735", "0.01", "1.1", "961", "0.99", "30", "0.5", "20"}),
    };
    CountingPause pause;
    Window window(pause, "16", size_of(state));
    // The set unlike the window's defaults first: a single load, as
    // callgrind runs it, changes every value too.
    int which = 1;
    const PassCounters counters;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(std::string(vp::parameter_file_name), std::ios::binary) << sets[which];
        which = 1 - which;
        state.ResumeTiming();
        measured_load(*window.form);
    }
    counters.report(state, *window.form);
    QDir::setCurrent(previous);
}
BENCHMARK(BM_ParameterFileLoad)->Args({700, 532})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->Apply(spread);

// A keystroke in a box: the mass typed into Text1, alternately two values,
// so that the characteristics, the scales and every picture change; the
// handler, its run again on the text written back, and the repaint.
void BM_Keystroke(benchmark::State& state)
{
    CountingPause pause;
    Window window(pause, "16", size_of(state));
    QLineEdit& box = *window.form->controls().box(vp::Quantity::massa);
    const QString masses[] = {QStringLiteral("16.499"), QStringLiteral("15.499")};
    int which = 0;
    const PassCounters counters;
    for (auto _ : state) {
        measured_keystroke(box, masses[which]);
        which = 1 - which;
    }
    counters.report(state, *window.form);
}
BENCHMARK(BM_Keystroke)->Args({700, 532})->Args({1920, 1080})->Unit(benchmark::kMillisecond)->Apply(spread);

// The window opening at its designed size: built, laid out, drawn and
// shown.
void BM_StartUp(benchmark::State& state)
{
    CountingPause pause;
    Platform platform(pause);
    const vp::Services services = platform.services();
    for (auto _ : state) {
        std::unique_ptr<vp::Form1> form = measured_start_up(services);
        state.PauseTiming();
        form.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->Apply(spread);

// A real run with the defaults (Tmax = 16 s, 738 steps, 7.38 s of pauses at
// slow-down 1) at the designed size and maximised: the wall time against
// that ideal shows what the drawing and the timers add to the pace, and
// caption_s is the computing time the window reports.
void BM_PacedDefaultRun(benchmark::State& state)
{
    PacedPause pause;
    Window window(pause, "16", size_of(state));
    for (auto _ : state)
        window.form->CmdOK_Click();
    const double ideal = 0.01 * static_cast<double>(pause.steps) / static_cast<double>(state.iterations());
    state.counters["ideal_s"] = ideal;
    const QRegularExpressionMatch seconds =
        QRegularExpression(QStringLiteral("(\\d+) c$")).match(window.form->windowTitle());
    state.counters["caption_s"] = seconds.hasMatch() ? seconds.captured(1).toDouble() : -1;
    state.counters["ratio"] = window.form->devicePixelRatioF();
}
BENCHMARK(BM_PacedDefaultRun)
    ->Args({700, 532})
    ->Args({0, 0})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->UseRealTime();

// The same run while a series of long runs (1000 viscosities at Tmax =
// 160 s, started again whenever it ends) keeps every core busy: the pace the
// window keeps beside a series. pace is the wall time over the ideal; the
// run alone gives the same counter for comparison.
void BM_PacedRunBesideASeries(benchmark::State& state)
{
    const bool with_series = state.range(0) != 0;
    std::unique_ptr<vp::SeriesRun> series;
    std::optional<vp::SeriesRequest> request;
    long series_runs = 0;
    auto keep_busy = [&] {
        if (!with_series || !request || (series && !series->finished()))
            return;
        // As the series window runs it.
        series = std::make_unique<vp::SeriesRun>(
            *request, vp::Workers::all_cores(), [](std::size_t, const vp::SeriesPoint&) {}, std::function<void()>(),
            vp::Workers::Priority::background);
        ++series_runs;
    };
    PacedPause pause;
    pause.each = keep_busy;
    Window window(pause, "16", {700, 532});
    vp::LabInputs base = window.form->series_inputs();
    std::vector<vp::BoxMessage> messages;
    vp::enter_value(base, vp::Quantity::Tmax, 160, messages);
    request = vp::SeriesRequest{base, vp::Quantity::eta,
                                vp::spaced_values(0.001, 10, 1000, vp::Spacing::logarithmic).values, "."};
    double wall = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        window.form->CmdOK_Click();
        wall += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    }
    series.reset();
    const double ideal = 0.01 * static_cast<double>(pause.steps);
    state.counters["pace"] = wall / ideal;
    state.counters["series_started"] = static_cast<double>(series_runs);
}
BENCHMARK(BM_PacedRunBesideASeries)
    ->ArgName("series")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(3)
    ->UseRealTime();

// The pause alone: how far a 10 ms pause overshoots.
void BM_Pause10ms(benchmark::State& state)
{
    vp::SteadyClock clock;
    vp::EventLoopPause pause(clock);
    for (auto _ : state)
        pause.wait(10);
}
BENCHMARK(BM_Pause10ms)->Unit(benchmark::kMillisecond)->Iterations(100)->UseRealTime();

} // namespace
