// The portable half of the GLUT layer: the current window, the display mode,
// callbacks, pending redisplays and reshapes, and the one-pass pump.
//
// Many hosts draw their own interface with OpenGL on the user-interface
// thread, so every call here that makes one of our contexts current puts the
// host's context back before it returns. The one exception is creation,
// which leaves the new context current for the caller's GL set-up; the
// caller then calls glutQarnRestoreHostContext.
#include "glut/glut.h"

#include "glut/CurrentWindow.h"
#include "glut/GlutBackend.h"
#include "glut/WindowTable.h"

#include <cstdint>

namespace {

unsigned int displayMode = GLUT_RGBA | GLUT_SINGLE;
int currentWindowId = 0;

// What was current before the last creation, for glutQarnRestoreHostContext.
SavedContext hostContext;
// What was current when the running pump started; valid while `pumping`.
SavedContext pumpContext;
bool pumping = false;

GlutWindow* currentWindow()
{
    return findWindow(currentWindowId);
}

// A destroyed window's context must never be made current again.
void forgetContextOf(const NativeWindow* native)
{
    if (backendContextBelongsTo(hostContext, native)) {
        hostContext = SavedContext{};
    }
    if (pumping && backendContextBelongsTo(pumpContext, native)) {
        pumpContext = SavedContext{};
    }
}

void takeEvents(GlutWindow& window)
{
    const WindowEvents events = backendTakeEvents(window.native);
    if (events.needsPaint) {
        window.pendingRedisplay = true;
    }
    if (events.sizeChanged && (events.width != window.width || events.height != window.height)) {
        window.width = events.width;
        window.height = events.height;
        // A resized window has lost its picture as well.
        window.pendingReshape = true;
        window.pendingRedisplay = true;
    }
}

// Runs the reshape and display callbacks that `window` needs. A callback may
// destroy any window, this one included, so the record is looked up again
// after each one.
void serviceWindow(int id)
{
    GlutWindow* window = findWindow(id);
    if (window == nullptr || !(window->pendingReshape || window->pendingRedisplay)) {
        return;
    }
    if (!backendMakeCurrent(window->native)) {
        return;
    }
    currentWindowId = id;
    if (window->pendingReshape) {
        window->pendingReshape = false;
        if (window->reshape != nullptr) {
            window->reshape(window->width, window->height);
        } else {
            glViewport(0, 0, window->width, window->height);
        }
    }
    window = findWindow(id);
    if (window == nullptr || !window->pendingRedisplay) {
        return;
    }
    // Cleared first, so that a post made while drawing asks for the next pass.
    window->pendingRedisplay = false;
    if (window->display != nullptr) {
        ++window->displayCount;
        window->display();
    }
}

} // namespace

int layerCurrentWindow()
{
    return currentWindowId;
}

bool layerIsPumping()
{
    return pumping;
}

void runAsCurrentWindow(int id, void (*callback)())
{
    const int windowBefore = currentWindowId;
    currentWindowId = id;
    callback();
    currentWindowId = findWindow(windowBefore) != nullptr ? windowBefore : 0;
}

extern "C" {

void glutInitDisplayMode(unsigned int mode)
{
    displayMode = mode;
}

void glutDisplayFunc(void (*func)(void))
{
    if (GlutWindow* window = currentWindow()) {
        window->display = func;
    }
}

void glutReshapeFunc(void (*func)(int width, int height))
{
    if (GlutWindow* window = currentWindow()) {
        window->reshape = func;
    }
}

void glutPostRedisplay(void)
{
    if (GlutWindow* window = currentWindow()) {
        window->pendingRedisplay = true;
    }
}

void glutSwapBuffers(void)
{
    if (GlutWindow* window = currentWindow()) {
        backendSwapBuffers(window->native);
    }
}

void glutReshapeWindow(int width, int height)
{
    GlutWindow* window = currentWindow();
    if (window != nullptr && width > 0 && height > 0) {
        backendRequestSize(window->native, width, height);
    }
}

int glutGet(unsigned int state)
{
    const GlutWindow* window = currentWindow();
    if (window == nullptr) {
        return 0;
    }
    switch (state) {
    case GLUT_WINDOW_WIDTH: return window->width;
    case GLUT_WINDOW_HEIGHT: return window->height;
    default: return 0;
    }
}

int glutCreateQarnWindow(void* parent, int x, int y, int width, int height)
{
    if (width < 1 || height < 1) {
        return 0;
    }
    const SavedContext before = backendCurrentContext();
    NativeWindow* native = backendCreateWindow(parent, x, y, width, height, displayMode);
    if (native == nullptr) {
        return 0;
    }
    GlutWindow* window = addWindow(native, width, height);
    if (window == nullptr) {
        backendDestroyWindow(native);
        backendRestoreContext(before);
        return 0;
    }
    hostContext = before;
    // Like any new GLUT window: shaped and drawn at the first pump.
    window->pendingReshape = true;
    window->pendingRedisplay = true;
    currentWindowId = window->id;
    return window->id;
}

void glutQarnRestoreHostContext(void)
{
    backendRestoreContext(hostContext);
}

void glutDestroyWindow(int win)
{
    GlutWindow* window = findWindow(win);
    if (window == nullptr) {
        return;
    }
    NativeWindow* native = window->native;
    const SavedContext before = backendCurrentContext();
    const bool oursWasCurrent = backendContextBelongsTo(before, native);
    forgetContextOf(native);
    removeWindow(window);
    if (currentWindowId == win) {
        currentWindowId = 0;
    }
    backendDestroyWindow(native);
    if (!oursWasCurrent) {
        backendRestoreContext(before);
    }
}

void glutMainLoopUpdate(void)
{
    if (pumping) {
        return; // called from inside a callback: the running pass covers it
    }
    bool anyPending = false;
    for (int i = 0; i < maxGlutWindows; ++i) {
        GlutWindow& window = windowSlot(i);
        if (window.id != 0) {
            takeEvents(window);
            anyPending = anyPending || window.pendingReshape || window.pendingRedisplay;
        }
    }
    // Most host idles find nothing to draw: they then cost no GL call at all.
    if (!anyPending) {
        return;
    }
    pumping = true;
    pumpContext = backendCurrentContext();
    const int windowBefore = currentWindowId;
    for (int i = 0; i < maxGlutWindows; ++i) {
        serviceWindow(windowSlot(i).id);
    }

    currentWindowId = findWindow(windowBefore) != nullptr ? windowBefore : 0;
    backendRestoreContext(pumpContext);
    pumping = false;
}

int glutQarnDisplayCount(int win)
{
    const GlutWindow* window = findWindow(win);
    return window != nullptr ? window->displayCount : 0;
}

int glutQarnReadPixels(int win, unsigned char* rgba, int byteCount)
{
    GlutWindow* window = findWindow(win);
    if (window == nullptr || rgba == nullptr || window->width <= 0 || window->height <= 0 ||
        int64_t{window->width} * window->height * 4 > byteCount) {
        return 0;
    }
    const SavedContext before = backendCurrentContext();
    if (!backendMakeCurrent(window->native)) {
        return 0;
    }
    // Leaves the window's own pixel-store and read-buffer state as it was.
    glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
    glPushAttrib(GL_PIXEL_MODE_BIT);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glPixelStorei(GL_PACK_SKIP_ROWS, 0);
    glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
    glReadBuffer(backendShownBuffer(window->native));
    glReadPixels(0, 0, window->width, window->height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    glPopAttrib();
    glPopClientAttrib();
    if (!backendContextBelongsTo(before, window->native)) {
        backendRestoreContext(before);
    }
    return 1;
}

} // extern "C"
