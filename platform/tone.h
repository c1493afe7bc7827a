// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace vp {

class Clock;

// A tone of a given pitch and length; returns when the tone has ended.
class Tone {
public:
    virtual ~Tone() = default;
    virtual void play(double frequency_hz, int milliseconds) = 0;
};

// A generated sine on the default audio output. Without an audio device, or
// when the output cannot be opened, it stays silent but still takes its time
// by the clock. User input waits meanwhile (as it would behind a system
// beep); painting and timers go on.
class AudioTone final : public Tone {
public:
    explicit AudioTone(const Clock& clock) : clock_(clock) {}
    void play(double frequency_hz, int milliseconds) override;

private:
    const Clock& clock_;
};

} // namespace vp
