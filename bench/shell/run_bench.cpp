// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/clock.h"
#include "platform/documents.h"
#include "platform/message_boxes.h"
#include "platform/pause.h"
#include "platform/tone.h"
#include "shell/form1.h"

#include <QApplication>
#include <QLineEdit>

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

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
// without waiting.
class CountingPause final : public vp::Pause {
public:
    void wait(int) override
    {
        ++steps;
        QCoreApplication::processEvents();
    }
    long steps = 0;
};

class PacedPause final : public vp::Pause {
public:
    void wait(int milliseconds) override
    {
        ++steps;
        real.wait(milliseconds);
    }
    vp::EventLoopPause real;
    long steps = 0;
};

struct Window {
    SilentTone tone;
    NoBoxes boxes;
    NoDocuments documents;
    vp::SteadyClock clock;
    std::unique_ptr<vp::Form1> form;

    Window(vp::Pause& pause, const char* Tmax, QSize size = {})
    {
        vp::Services s;
        s.boxes = &boxes;
        s.tone = &tone;
        s.pause = &pause;
        s.clock = &clock;
        s.documents = &documents;
        s.quit = [] {};
        form = std::make_unique<vp::Form1>(s);
        form->show();
        if (size.isValid())
            form->resize(size);
        QCoreApplication::processEvents();
        form->controls().box(QStringLiteral("Text20"))->setText(QString::fromLatin1(Tmax));
    }
};

// Everything a step costs besides its pause: the integration step, the three
// curve segments, the four readouts and the animation frame, with the
// defaults (n_tochek = 100), at the designed window size and at full HD.
void BM_RunStepWithoutPause(benchmark::State& state)
{
    CountingPause pause;
    Window window(pause, "4", QSize(static_cast<int>(state.range(0)), static_cast<int>(state.range(1))));
    for (auto _ : state)
        window.form->CmdOK_Click();
    state.counters["steps"] = benchmark::Counter(static_cast<double>(pause.steps), benchmark::Counter::kAvgIterations);
    state.counters["per_step"] =
        benchmark::Counter(static_cast<double>(pause.steps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunStepWithoutPause)->Args({700, 532})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// A real run with the defaults (Tmax = 16 s, 738 steps, 7.38 s of pauses at
// slow-down 1): the wall time against that ideal shows what the drawing and
// the timers add to the pace.
void BM_PacedDefaultRun(benchmark::State& state)
{
    PacedPause pause;
    Window window(pause, "16");
    for (auto _ : state)
        window.form->CmdOK_Click();
    const double ideal = 0.01 * static_cast<double>(pause.steps) / static_cast<double>(state.iterations());
    state.counters["ideal_s"] = ideal;
}
BENCHMARK(BM_PacedDefaultRun)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

// The pause alone: how far a 10 ms pause overshoots.
void BM_Pause10ms(benchmark::State& state)
{
    vp::EventLoopPause pause;
    for (auto _ : state)
        pause.wait(10);
}
BENCHMARK(BM_Pause10ms)->Unit(benchmark::kMillisecond)->Iterations(100)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
