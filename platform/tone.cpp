// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tone.h"

#include "platform/clock.h"
#include "platform/event_wait.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vp {
namespace {

QByteArray sine(const QAudioFormat& format, double frequency_hz, int milliseconds)
{
    const int rate = format.sampleRate();
    const int channels = format.channelCount();
    const auto frames = static_cast<qsizetype>(static_cast<qint64>(rate) * milliseconds / 1000);
    // Short ramps at both ends keep the tone from clicking.
    const qsizetype ramp = std::min<qsizetype>(frames / 4, rate / 200);
    QByteArray data(frames * channels * format.bytesPerSample(), Qt::Uninitialized);
    char* out = data.data();
    for (qsizetype i = 0; i < frames; ++i) {
        double envelope = 1.0;
        if (ramp > 0 && i < ramp)
            envelope = static_cast<double>(i) / ramp;
        else if (ramp > 0 && frames - i < ramp)
            envelope = static_cast<double>(frames - i) / ramp;
        const double v = 0.5 * envelope * std::sin(2 * 3.141592653589793 * frequency_hz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (format.sampleFormat() == QAudioFormat::Float) {
                const auto sample = static_cast<float>(v);
                std::memcpy(out, &sample, sizeof sample);
                out += sizeof sample;
            } else {
                const auto sample = static_cast<std::int16_t>(v * 32767);
                std::memcpy(out, &sample, sizeof sample);
                out += sizeof sample;
            }
        }
    }
    return data;
}

} // namespace

void AudioTone::play(double frequency_hz, int milliseconds)
{
    if (milliseconds <= 0)
        return;
    // The tone ends by the clock however the output behaves; meanwhile
    // painting and timers go on, user input is held back.
    const double end = clock_.seconds() + milliseconds / 1000.0;
    auto hold = [&] { process_events_until(clock_, end, QEventLoop::ExcludeUserInputEvents); };

    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    QAudioFormat format;
    format.setSampleRate(48000);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isNull() && !device.isFormatSupported(format)) {
        format = device.preferredFormat();
        if (format.sampleFormat() != QAudioFormat::Float)
            format.setSampleFormat(QAudioFormat::Int16);
    }
    if (device.isNull() || !device.isFormatSupported(format)) {
        hold();
        return;
    }

    QByteArray samples = sine(format, frequency_hz, milliseconds);
    QBuffer buffer(&samples);
    buffer.open(QIODevice::ReadOnly);
    QAudioSink sink(device, format);
    QEventLoop loop;
    QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&](QAudio::State state) {
        if (state == QAudio::IdleState || state == QAudio::StoppedState)
            loop.quit();
    });
    // However the output behaves, the tone never holds the program much
    // longer than it lasts.
    QTimer::singleShot(milliseconds + 400, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    sink.start(&buffer);
    if (sink.error() == QAudio::NoError && sink.state() != QAudio::StoppedState)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    sink.stop();
    hold();
}

} // namespace vp
