#pragma once
// The video frames of a render on the song's sample clock. Frame k shows the
// song at from + k / fps seconds: every message up to and including that
// sample has reached the plug-in before the frame is taken, so a note that
// starts exactly on a frame's time is lit in that frame, as its sound starts
// with it. Nothing here reads a clock: the frames depend on the song and the
// options alone.
#include <cstdint>

class FrameClock {
public:
    // `toSeconds` at or before `fromSeconds` still gives one frame.
    FrameClock(int fps, double fromSeconds, double toSeconds, double sampleRate);

    int64_t frameCount() const { return frames; }
    // The song sample a frame shows; messages at it belong to the frame.
    int64_t sampleOf(int64_t frame) const;
    // The video's length: frameCount / fps.
    double videoSeconds() const { return static_cast<double>(frames) / fps; }
    int framesPerSecond() const { return fps; }

private:
    int fps;
    double fromSeconds;
    double sampleRate;
    int64_t frames;
};
