// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tone.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace vp {
namespace {

// Waits, with painting and timers going on but user input held back.
void hold(int milliseconds)
{
    if (milliseconds <= 0)
        return;
    QEventLoop loop;
    QTimer::singleShot(milliseconds, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
}

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
    QElapsedTimer elapsed;
    elapsed.start();

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
        hold(milliseconds);
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
    hold(milliseconds - static_cast<int>(elapsed.elapsed()));
}

} // namespace vp
