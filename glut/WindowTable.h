#pragma once
// The GLUT windows that exist: one record per window with its callbacks and
// what is pending for it. Ids count up from 1 and are never handed out twice
// in a process, so a stale id can never reach a newer window.
//
// The table has a fixed number of slots and allocates nothing: creating a
// window when every slot is taken fails with id 0.

struct NativeWindow;

struct GlutWindow {
    int id = 0; // 0 = free slot
    NativeWindow* native = nullptr;
    void (*display)() = nullptr;
    void (*reshape)(int, int) = nullptr;
    void (*wake)() = nullptr;
    bool pendingRedisplay = false;
    bool pendingReshape = false;
    int width = 0; // size of the native window as last seen
    int height = 0;
    int displayCount = 0;
};

constexpr int maxGlutWindows = 16;

// The record of a live window, or nullptr for 0, unknown or destroyed ids.
GlutWindow* findWindow(int id);

// Takes a free slot for `native` and gives it the next id; nullptr if full.
GlutWindow* addWindow(NativeWindow* native, int width, int height);

// Frees the window's slot.
void removeWindow(GlutWindow* window);

// Slot i (0 .. maxGlutWindows - 1), free or not, for a pass over all windows.
GlutWindow& windowSlot(int index);
