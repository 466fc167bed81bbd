#pragma once
// Our GLUT-compatible window layer: the part of the GLUT interface that the
// 3-D view uses, with GLUT's names, signatures and constants, plus the entry
// points that put a GLUT window inside a window the host owns and pump it one
// pass at a time from the host's idle calls (there is no glutMainLoop).
//
// Includes OpenGL and GLU (through "glut/gl.h"), never <windows.h>.
//
// Threads: every call belongs on the user-interface thread that created the
// window. Bad arguments (unknown window ids, missing parent, calls without a
// current window) are ignored or answered with 0; nothing aborts.
//
// Windows: a child window with its own WGL context. X11: a child window with
// its own GLX context, on a display connection of the layer's own. Off-screen
// (native tests): an EGL pbuffer of the window's size on Mesa's surfaceless
// platform, so that the view can be drawn and read back without a display.
//
// Where no host message loop serves our windows (X11), a thread of the
// program's own may own the windows instead: it creates them, makes every
// call and waits for their events in glutQarnWaitEvents. One thread at a time
// uses the layer.
#include "glut/gl.h"

#define GLUT_RGB 0
#define GLUT_RGBA 0
#define GLUT_SINGLE 0
#define GLUT_DOUBLE 2
#define GLUT_DEPTH 16

#define GLUT_WINDOW_WIDTH 102
#define GLUT_WINDOW_HEIGHT 103

#ifdef __cplusplus
extern "C" {
#endif

// Pixel format of the windows created afterwards: RGBA with 8 bits per colour
// channel always; GLUT_DOUBLE adds a back buffer, GLUT_DEPTH a depth buffer.
// Default GLUT_RGBA | GLUT_SINGLE.
void glutInitDisplayMode(unsigned int mode);

// Callbacks of the current window. A window without a display callback is
// never drawn; without a reshape callback a resize sets the viewport to the
// whole window, as in GLUT.
void glutDisplayFunc(void (*func)(void));
void glutReshapeFunc(void (*func)(int width, int height));

// Marks the current window for redisplay at the next glutMainLoopUpdate;
// any number of posts before it gives one display.
void glutPostRedisplay(void);

// Shows what the current window's display callback drew.
void glutSwapBuffers(void);

// Destroys a window and its GL context. Unknown ids are ignored. If the
// window's context was current, none is current afterwards; otherwise the
// context that was current stays current.
void glutDestroyWindow(int win);

// Asks for a new size of the current window; the reshape (and a redisplay)
// follow at the next glutMainLoopUpdate.
void glutReshapeWindow(int width, int height);

// GLUT_WINDOW_WIDTH and GLUT_WINDOW_HEIGHT of the current window; 0 for
// anything else or without a current window.
int glutGet(unsigned int state);

// Solids centred on the origin, with GLUT's geometry and outward normals:
// a cube of the given edge length with one normal per face, and a sphere of
// `slices` segments around the z axis and `stacks` along it, smooth-shaded.
void glutSolidCube(double size);
void glutSolidSphere(double radius, int slices, int stacks);

// Creates a GLUT window as a child of the native window `parent` (an HWND on
// Windows, an X window id on X11, as hosts pass either; ignored off-screen) with its top-left corner at (x, y) of the
// parent's client area, width x height pixels, in the current display mode.
// The new window becomes the current window and its GL context is current
// afterwards; a reshape and a display are pending, as for any new GLUT window.
// Returns the window's id (1, 2, ...; never reused) or 0 if it could not be
// created (no parent, size below 1, no suitable pixel format, ...).
int glutCreateQarnWindow(void* parent, int x, int y, int width, int height);

// One pass of event processing: for every window with a size change, the
// reshape callback, and then for every window with a pending redisplay, the
// display callback, each with that window current and its context current.
// Never reads or dispatches the host's messages (the host's own message loop
// delivers our windows' messages). Puts back the current window and the GL
// context (and DC) that were current when it was called.
void glutMainLoopUpdate(void);

// Puts back the GL context and DC (EGL: context and surfaces) that were
// current before the last glutCreateQarnWindow. The creator calls it once it
// has finished its own GL set-up in the new context.
void glutQarnRestoreHostContext(void);

// For tests and benchmarks.
// How many times the display callback of window `win` has run (0 for unknown
// ids).
int glutQarnDisplayCount(int win);
// Copies the image the window last showed into `rgba`: width x height pixels
// (the size as of the last glutMainLoopUpdate) of 4 bytes, rows from the
// bottom up as glReadPixels gives them. Returns 1, or 0 (and copies nothing)
// for an unknown id, a null buffer or one smaller than width x height x 4
// bytes. Leaves the current context as it found it. Off-screen it reads the
// window's framebuffer; on Windows the buffer that holds the frame after a
// swap (the back buffer where the driver copies on swap, as Wine does).
int glutQarnReadPixels(int win, unsigned char* rgba, int byteCount);

// Wake-ups: how another thread gets work done on a window's own thread at
// once, without waiting for the host's next idle call. On Windows a wake is a
// message posted to the native window, so the host's own message loop
// delivers it; on X11 the windows' thread receives it in glutQarnWaitEvents.
// The window's wake callback then runs with that window current.
//
// The wake callback of the current window (null: wakes do nothing).
void glutQarnWakeFunc(void (*func)(void));
// The windows' thread: the handle through which other threads wake window
// `win`, or null for unknown ids and windows that cannot be woken (off-screen).
// It stays harmless to use after the window is gone.
void* glutQarnWakeTarget(int win);
// Any thread: posts one wake to the window behind `target` (null is ignored).
// Never blocks, locks, allocates or waits for the window's thread.
void glutQarnWake(void* target);
// The windows' thread: wakes the current window once after `milliseconds`
// (a one-shot timer on the window; a pending one is replaced).
void glutQarnWakeAfter(int milliseconds);

// Any thread: 1 where events and wakes reach our windows only while their
// thread waits in glutQarnWaitEvents (X11, where no host message loop serves
// them), 0 where the host's message loop delivers them (Windows) or nothing
// arrives at all (off-screen).
int glutQarnEventsNeedWaiting(void);
// The windows' thread, between pumps: blocks until a window has something to
// do (an event from the window system, a wake, a wake-after timer that is
// due) and runs the wake callbacks of the wakes that arrived. The caller then
// pumps (glutMainLoopUpdate) for the events. Returns at once where
// glutQarnEventsNeedWaiting is 0, and when called from inside a callback.
void glutQarnWaitEvents(void);

#ifdef __cplusplus
}
#endif
