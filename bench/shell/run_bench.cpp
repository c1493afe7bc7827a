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

    Window(vp::Pause& pause, const char* Tmax)
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
        QCoreApplication::processEvents();
        form->controls().box(QStringLiteral("Text20"))->setText(QString::fromLatin1(Tmax));
    }
};

// Everything a step costs besides its pause: the integration step, the three
// curve segments, the four readouts and the animation frame, at the
// designed window size with the defaults (n_tochek = 100).
void BM_RunStepWithoutPause(benchmark::State& state)
{
    CountingPause pause;
    Window window(pause, "4");
    for (auto _ : state)
        window.form->CmdOK_Click();
    state.counters["steps"] = benchmark::Counter(static_cast<double>(pause.steps), benchmark::Counter::kAvgIterations);
    state.counters["per_step"] = benchmark::Counter(static_cast<double>(pause.steps),
                                                    benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_RunStepWithoutPause)->Unit(benchmark::kMillisecond);

// A real run of 2 s model time (93 steps, 0.93 s of pauses at slow-down 1):
// the wall time against that ideal shows what the drawing adds to the pace.
void BM_PacedRun(benchmark::State& state)
{
    PacedPause pause;
    Window window(pause, "2");
    for (auto _ : state)
        window.form->CmdOK_Click();
    state.counters["ideal_s"] = benchmark::Counter(0.01 * static_cast<double>(pause.steps),
                                                   benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PacedRun)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

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
