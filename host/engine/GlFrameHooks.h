#pragma once
// Sees the OpenGL frames a loaded plug-in draws, for the latency benchmark,
// without changing the plug-in: when a frame starts (its first glClear) and
// when it has reached the screen (its buffer swap has returned), and the
// colour of one pixel of the finished frame. Declared once here; host/win32
// redirects the DLL's imports, host/linux interposes the library's calls.
class GlFrameObserver {
public:
    // The pixel to read, in GL window coordinates (rows from the bottom).
    virtual int watchedX() const = 0;
    virtual int watchedY() const = 0;
    // On the thread that draws.
    virtual void onClear() = 0;
    // `rgba`: the watched pixel, read just before the swap.
    virtual void onFrameFinished(const unsigned char rgba[4]) = 0;

protected:
    ~GlFrameObserver() = default;
};

// Starts reporting the frames of the plug-in loaded as `module` (the
// library's handle) to `observer`, which must outlive the process's use of
// it. One observer per process; false when the plug-in's frames cannot be seen.
bool hookPluginFrames(void* module, GlFrameObserver* observer);

// Milliseconds on a monotonic clock, the one the hooks' times are read on.
double frameClockMs();
