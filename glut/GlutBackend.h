#pragma once
// What the portable GLUT layer needs from a platform: a native window with
// its own GL context inside a parent, switching contexts, swapping, and what
// happened to the window since the last pump. One implementation is linked
// per program (win32/ with WGL, offscreen/ with EGL, x11/ with GLX).
//
// All calls run on the windows' thread (the user-interface thread, except
// where a program serves its windows from a thread of its own), unless they
// say otherwise. None of them throws.

struct NativeWindow;

// The GL context that was current on this thread, with what it was bound to.
// WGL: `context` is the HGLRC and `drawSurface` the HDC; EGL: display,
// context, draw and read surfaces and the bound client API; GLX: display,
// context, draw and read drawables.
struct SavedContext {
    void* display = nullptr;
    void* context = nullptr;
    void* drawSurface = nullptr;
    void* readSurface = nullptr;
    unsigned int api = 0;
};

// What a window went through since the last call of backendTakeEvents.
struct WindowEvents {
    bool needsPaint = false;
    bool sizeChanged = false;
    int width = 0;
    int height = 0;
};

// Creates the window and its context in the given display mode (GLUT_DOUBLE,
// GLUT_DEPTH bits) and leaves the context current. nullptr on any failure,
// with nothing left behind and the previous context still current.
NativeWindow* backendCreateWindow(void* parent, int x, int y, int width, int height, unsigned int displayMode);

// Frees the context, its surface or DC and the window. If the window's
// context was current, no context is current afterwards.
void backendDestroyWindow(NativeWindow* window);

SavedContext backendCurrentContext();
void backendRestoreContext(const SavedContext& saved);
bool backendContextBelongsTo(const SavedContext& saved, const NativeWindow* window);

// Makes the window's context current; false if the window can no longer be
// drawn (for example, the host has already destroyed the native window).
bool backendMakeCurrent(NativeWindow* window);

void backendSwapBuffers(NativeWindow* window);

WindowEvents backendTakeEvents(NativeWindow* window);

// Asks for a new size; it shows up in the next backendTakeEvents.
void backendRequestSize(NativeWindow* window, int width, int height);

// The GL buffer that holds what the window shows after a swap (GL_FRONT or
// GL_BACK), for reading it back.
unsigned int backendShownBuffer(const NativeWindow* window);

// Wake-ups (glutQarnWake). The target is an opaque handle that other threads
// may post to; null where the platform has no message loop.
void* backendWakeTarget(NativeWindow* window);
// Any thread.
void backendWake(void* target);
void backendWakeAfter(NativeWindow* window, int milliseconds);

// Whether the windows' events and wakes reach them only while their thread
// waits in backendWaitEvents: where no host message loop serves our windows
// (X11). Any thread.
bool backendEventsNeedWaiting();
// Blocks until a window has something to do (an event from the window
// system, a wake, a wake-after timer that is due), then delivers the wakes.
// Returns at once where backendEventsNeedWaiting is false.
void backendWaitEvents();

// The backend calls this on the window's thread when a wake arrives; the
// portable layer runs the window's wake callback.
void deliverWake(NativeWindow* window);
