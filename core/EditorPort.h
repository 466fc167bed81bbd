#pragma once
// The plug-in's editor as every format opens it: in a window the host hands
// over, woken by the host's periodic idle, at a size the host makes room for.
// The core does not know the editor: a format's entry hands the core the
// maker of the real one, and tests hand it stand-ins.
//
// User-interface thread only.
#include <cstdint>

class EditorPort {
public:
    virtual ~EditorPort() = default;

    // Builds the editor inside the host's window: an HWND on Windows, an X11
    // Window id carried in the pointer on Linux. False when it could not.
    virtual bool open(void* parentWindow) = 0;
    // The host's periodic call while the editor is open.
    virtual void idle() = 0;
    // Destroys what open built; harmless when nothing is open.
    virtual void close() = 0;
    // The room the editor takes in the host's window, in pixels, open or not.
    virtual void size(int32_t& width, int32_t& height) const = 0;
};

// Creates the editor, or answers null when it cannot be allocated.
using EditorPortMaker = EditorPort* (*)();
