// Off-screen windows for the native build: each GLUT window is a desktop
// OpenGL (compatibility profile) context on Mesa's surfaceless EGL platform,
// drawing into a framebuffer object of the window's size. No display server
// is needed, so the view can be drawn and read back in tests and benchmarks.
//
// The framebuffer object is bound once, when the context is created, and
// stays bound: to the code drawing in it, it is the window's only buffer.
// There is no separate front buffer; glutSwapBuffers flushes, and the image
// stays readable from GL_COLOR_ATTACHMENT0 until the next frame is drawn.
#include "glut/GlutBackend.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <cstring>
#include <new>

#include "glut/gl.h"
#include "glut/glut.h"
#include <GL/glext.h>

struct NativeWindow {
    EGLContext context = EGL_NO_CONTEXT;
    GLuint framebuffer = 0;
    GLuint colour = 0;
    GLuint depth = 0; // 0 without GLUT_DEPTH
    GLint maxSize = 0; // largest renderbuffer the context allows
    int width = 0; // size of the renderbuffers
    int height = 0;
    int requestedWidth = 0; // size asked for and not yet reported
    int requestedHeight = 0;
    bool sizeRequested = false;
    bool storageStale = false; // size reported, buffers not yet resized
};

namespace {

// Framebuffer-object entry points (GL 3.0), fetched once from EGL.
struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSPROC genFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC bindFramebuffer = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC framebufferRenderbuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC checkFramebufferStatus = nullptr;
    PFNGLGENRENDERBUFFERSPROC genRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC bindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEPROC renderbufferStorage = nullptr;
    PFNGLGETRENDERBUFFERPARAMETERIVPROC getRenderbufferParameteriv = nullptr;
};

EGLDisplay display = EGL_NO_DISPLAY;
EGLConfig config = nullptr;
FramebufferCalls fbo;

bool hasExtension(const char* list, const char* name)
{
    const std::size_t length = std::strlen(name);
    for (const char* p = list; p != nullptr && *p != '\0';) {
        const char* end = std::strchr(p, ' ');
        const std::size_t tokenLength = end != nullptr ? std::size_t(end - p) : std::strlen(p);
        if (tokenLength == length && std::strncmp(p, name, length) == 0) {
            return true;
        }
        p = end != nullptr ? end + 1 : nullptr;
    }
    return false;
}

template <class Function> bool load(Function& function, const char* name)
{
    function = reinterpret_cast<Function>(eglGetProcAddress(name));
    return function != nullptr;
}

bool loadFramebufferCalls()
{
    return load(fbo.genFramebuffers, "glGenFramebuffers") && load(fbo.bindFramebuffer, "glBindFramebuffer") &&
        load(fbo.framebufferRenderbuffer, "glFramebufferRenderbuffer") &&
        load(fbo.checkFramebufferStatus, "glCheckFramebufferStatus") &&
        load(fbo.genRenderbuffers, "glGenRenderbuffers") && load(fbo.bindRenderbuffer, "glBindRenderbuffer") &&
        load(fbo.renderbufferStorage, "glRenderbufferStorage") &&
        load(fbo.getRenderbufferParameteriv, "glGetRenderbufferParameteriv");
}

EGLint configValue(EGLConfig candidate, EGLint attribute)
{
    EGLint value = 0;
    eglGetConfigAttrib(display, candidate, attribute, &value);
    return value;
}

// A config with exactly 8 bits per colour channel (Mesa lists its 10-bit
// configs first), preferring one with 8 bits of alpha too.
EGLConfig chooseConfig()
{
    const EGLint wanted[] = {
        EGL_SURFACE_TYPE,
        EGL_PBUFFER_BIT,
        EGL_RENDERABLE_TYPE,
        EGL_OPENGL_BIT,
        EGL_COLOR_BUFFER_TYPE,
        EGL_RGB_BUFFER,
        EGL_RED_SIZE,
        8,
        EGL_GREEN_SIZE,
        8,
        EGL_BLUE_SIZE,
        8,
        EGL_NONE,
    };
    EGLConfig candidates[64];
    EGLint count = 0;
    if (!eglChooseConfig(display, wanted, candidates, 64, &count)) {
        return nullptr;
    }
    EGLConfig best = nullptr;
    for (EGLint i = 0; i < count; ++i) {
        const EGLConfig candidate = candidates[i];
        if (configValue(candidate, EGL_RED_SIZE) != 8 || configValue(candidate, EGL_GREEN_SIZE) != 8 ||
            configValue(candidate, EGL_BLUE_SIZE) != 8) {
            continue;
        }
        if (configValue(candidate, EGL_ALPHA_SIZE) == 8) {
            return candidate;
        }
        if (best == nullptr) {
            best = candidate;
        }
    }
    return best;
}

// Mesa's surfaceless platform where the loader offers it, else the default
// display; in either case only surfaceless contexts are used.
bool openDisplay()
{
    if (display != EGL_NO_DISPLAY) {
        return true;
    }
    EGLDisplay candidate = EGL_NO_DISPLAY;
    if (hasExtension(eglQueryString(EGL_NO_DISPLAY, EGL_EXTENSIONS), "EGL_MESA_platform_surfaceless")) {
        PFNEGLGETPLATFORMDISPLAYEXTPROC getPlatformDisplay = nullptr;
        if (load(getPlatformDisplay, "eglGetPlatformDisplayEXT")) {
            candidate = getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
        }
    }
    if (candidate == EGL_NO_DISPLAY) {
        candidate = eglGetDisplay(EGL_DEFAULT_DISPLAY);
    }
    if (candidate == EGL_NO_DISPLAY || !eglInitialize(candidate, nullptr, nullptr)) {
        return false;
    }
    display = candidate;
    if (!hasExtension(eglQueryString(display, EGL_EXTENSIONS), "EGL_KHR_surfaceless_context") ||
        (config = chooseConfig()) == nullptr) {
        return false;
    }
    return true;
}

GLint renderbufferValue(GLenum parameter)
{
    GLint value = 0;
    fbo.getRenderbufferParameteriv(GL_RENDERBUFFER, parameter, &value);
    return value;
}

// (Re)allocates the window's buffers at its size; the context is current.
void allocateStorage(NativeWindow& window)
{
    fbo.bindRenderbuffer(GL_RENDERBUFFER, window.colour);
    fbo.renderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, window.width, window.height);
    if (window.depth != 0) {
        fbo.bindRenderbuffer(GL_RENDERBUFFER, window.depth);
        fbo.renderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, window.width, window.height);
    }
    fbo.bindRenderbuffer(GL_RENDERBUFFER, 0);
}

// Builds the window's framebuffer in its current context and checks that the
// buffers have what the display mode asked for.
bool buildFramebuffer(NativeWindow& window, unsigned int displayMode)
{
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &window.maxSize);
    if (window.width > window.maxSize || window.height > window.maxSize) {
        return false;
    }
    fbo.genFramebuffers(1, &window.framebuffer);
    fbo.genRenderbuffers(1, &window.colour);
    if ((displayMode & GLUT_DEPTH) != 0) {
        fbo.genRenderbuffers(1, &window.depth);
    }
    allocateStorage(window);
    fbo.bindFramebuffer(GL_FRAMEBUFFER, window.framebuffer);
    fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, window.colour);
    if (window.depth != 0) {
        fbo.framebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, window.depth);
    }
    if (fbo.checkFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        return false;
    }
    fbo.bindRenderbuffer(GL_RENDERBUFFER, window.colour);
    const bool colourOk = renderbufferValue(GL_RENDERBUFFER_RED_SIZE) == 8 &&
        renderbufferValue(GL_RENDERBUFFER_GREEN_SIZE) == 8 && renderbufferValue(GL_RENDERBUFFER_BLUE_SIZE) == 8;
    bool depthOk = true;
    if (window.depth != 0) {
        fbo.bindRenderbuffer(GL_RENDERBUFFER, window.depth);
        depthOk = renderbufferValue(GL_RENDERBUFFER_DEPTH_SIZE) >= 16;
    }
    fbo.bindRenderbuffer(GL_RENDERBUFFER, 0);
    // What a new window's context starts with on a real surface.
    glViewport(0, 0, window.width, window.height);
    return colourOk && depthOk;
}

void releaseCurrent()
{
    if (display != EGL_NO_DISPLAY) {
        eglBindAPI(EGL_OPENGL_API);
        eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    }
}

} // namespace

NativeWindow* backendCreateWindow(void*, int, int, int width, int height, unsigned int displayMode)
{
    if (!openDisplay() || !eglBindAPI(EGL_OPENGL_API)) {
        return nullptr;
    }
    NativeWindow* window = new (std::nothrow) NativeWindow;
    if (window == nullptr) {
        return nullptr;
    }
    window->width = width;
    window->height = height;
    const SavedContext before = backendCurrentContext();
    window->context = eglCreateContext(display, config, EGL_NO_CONTEXT, nullptr);
    if (window->context != EGL_NO_CONTEXT && eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, window->context) &&
        (fbo.genFramebuffers != nullptr || loadFramebufferCalls()) && buildFramebuffer(*window, displayMode)) {
        return window;
    }
    backendDestroyWindow(window);
    backendRestoreContext(before);
    return nullptr;
}

void backendDestroyWindow(NativeWindow* window)
{
    if (window == nullptr) {
        return;
    }
    if (window->context != EGL_NO_CONTEXT) {
        // Its framebuffer and renderbuffers go with the context.
        eglBindAPI(EGL_OPENGL_API);
        if (eglGetCurrentContext() == window->context) {
            releaseCurrent();
        }
        eglDestroyContext(display, window->context);
    }
    delete window;
}

SavedContext backendCurrentContext()
{
    SavedContext saved;
    saved.api = eglQueryAPI();
    saved.display = eglGetCurrentDisplay();
    saved.context = eglGetCurrentContext();
    saved.drawSurface = eglGetCurrentSurface(EGL_DRAW);
    saved.readSurface = eglGetCurrentSurface(EGL_READ);
    return saved;
}

void backendRestoreContext(const SavedContext& saved)
{
    if (saved.context == EGL_NO_CONTEXT) {
        releaseCurrent();
    }
    if (saved.api != 0 && eglBindAPI(saved.api) && saved.context != EGL_NO_CONTEXT) {
        eglMakeCurrent(saved.display, saved.drawSurface, saved.readSurface, saved.context);
    }
}

bool backendContextBelongsTo(const SavedContext& saved, const NativeWindow* window)
{
    return window != nullptr && saved.context != EGL_NO_CONTEXT && saved.context == window->context;
}

bool backendMakeCurrent(NativeWindow* window)
{
    if (!eglBindAPI(EGL_OPENGL_API) || !eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, window->context)) {
        return false;
    }
    if (window->storageStale) {
        window->storageStale = false;
        allocateStorage(*window);
    }
    return true;
}

void backendSwapBuffers(NativeWindow*)
{
    glFlush();
}

WindowEvents backendTakeEvents(NativeWindow* window)
{
    WindowEvents events;
    if (window->sizeRequested) {
        window->sizeRequested = false;
        window->storageStale = true;
        window->width = window->requestedWidth;
        window->height = window->requestedHeight;
        events.sizeChanged = true;
        events.width = window->width;
        events.height = window->height;
    }
    return events;
}

void backendRequestSize(NativeWindow* window, int width, int height)
{
    if (width > window->maxSize || height > window->maxSize) {
        return;
    }
    window->requestedWidth = width;
    window->requestedHeight = height;
    window->sizeRequested = true;
}

unsigned int backendShownBuffer(const NativeWindow*)
{
    return GL_COLOR_ATTACHMENT0;
}
