// A library that draws as the Linux plug-in's view does, for the frame hooks'
// test: on a display connection of its own, a GLX window inside a host's
// window, frames cleared to one colour and swapped. Loaded with dlopen, so its
// GL calls are bound as the plug-in's are.
#include <GL/glx.h>

extern "C" __attribute__((visibility("default"))) bool drawClearedFrames(
    unsigned long parent, int frames, float red, float green, float blue)
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    int attributes[] = {GLX_RGBA, GLX_DOUBLEBUFFER, GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, None};
    XVisualInfo* visual = glXChooseVisual(display, DefaultScreen(display), attributes);
    GLXContext context = visual ? glXCreateContext(display, visual, nullptr, True) : nullptr;
    bool drawn = false;
    if (context) {
        XSetWindowAttributes windowAttributes{};
        windowAttributes.colormap = XCreateColormap(display, parent, visual->visual, AllocNone);
        const Window window = XCreateWindow(display, parent, 0, 0, 64, 64, 0, visual->depth, InputOutput,
            visual->visual, CWColormap | CWBorderPixel, &windowAttributes);
        XMapWindow(display, window);
        drawn = glXMakeCurrent(display, window, context);
        for (int i = 0; drawn && i < frames; ++i) {
            glClearColor(red, green, blue, 1.0f);
            glClear(GL_COLOR_BUFFER_BIT);
            glXSwapBuffers(display, window);
        }
        glXMakeCurrent(display, None, nullptr);
        glXDestroyContext(display, context);
        XDestroyWindow(display, window);
        XFreeColormap(display, windowAttributes.colormap);
    }
    if (visual)
        XFree(visual);
    XCloseDisplay(display);
    return drawn;
}
