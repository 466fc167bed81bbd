#pragma once
// The 3-D view: a GLUT child window inside the editor's native window. The
// plug-in never runs a GLUT main loop; the host's editor idle calls pump it
// one pass at a time, and it is drawn only when something asks for it (a
// block of MIDI, a program change, a panel action, automatic rotation), all
// through requestRedisplay() (state/RedrawRequest.h), so that no GLUT call
// ever runs on the host's processing thread. A request also wakes the view
// through the host's message loop, so that it need not wait for the next idle
// (view3d/PromptRedraw.h).
//
// Where no host message loop serves the view's window (X11), the view has a
// thread of its own instead, which owns the window and its GL context and
// draws every frame (view3d/ViewThread.h); the idle then only advances the
// rotation and the score read-out.
//
// User-interface thread: openView, idleView and closeView are called from
// the editor's open, idle and close; the callbacks run inside idleView, or on
// the view's own thread.

#include <atomic>

// True from the moment the view's GLUT window and its callbacks exist until
// the editor closes it; while it is, the view accepts redraw requests.
// Written on the user-interface thread.
extern std::atomic<bool> glViewReady;

// The view window's state, one per loaded library (the editor exists at most
// once).
struct ViewWindowState {
    int viewWindowId = 0; // GLUT window id
    float viewWidth = 0.0f; // pixels; floats because the projection divides them
    float viewHeight = 0.0f;
};

extern ViewWindowState viewWindow;

// Where the view opens in its parent window and its size then, in pixels.
// Its top-left corner lies under the panel's lower right part, which the
// editor keeps above it.
struct ViewPlacement {
    int left;
    int top;
    int width;
    int height;
};

constexpr ViewPlacement viewPlacement{100, 100, 600, 400};

// Creates the view at viewPlacement in `parent` (an HWND on Windows, an X
// window id on X11), sets up its GL state and callbacks, marks it ready, swaps
// in the wanted program's model and has it compile its display list in the new
// context. Then puts the host's GL context back. An open view is closed first,
// so a second open never leaks a window.
void openView(void* parent);

// Destroys the view's window and GL context (and stops the view's thread);
// harmless when closed.
void closeView();

// The editor idle's first step: automatic rotation, the score read-out, any
// pending redraw, and one pass of GLUT event processing. Does nothing at all
// while the view is closed.
void idleView();

// Where the idle pump writes the practice score, in percent; the editor
// installs its read-out here. Null (the default) writes nowhere.
void setScoreReadout(void (*show)(float percent));

// The one-time GL state of a new context: smooth shading, the dark blue
// background, depth test, and OpenGL's default light 0.
void initGlState();

// GLUT callbacks: one frame of the wanted program's model (swapped in first,
// view3d/ModelSwap.h) from the view state, and the window's new size (used by
// the next frame).
void displayView();
void reshapeView(int width, int height);
