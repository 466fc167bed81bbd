#include "host/win32/GlWindowReadback.h"

#include <GL/gl.h>

#include <vector>

bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version");
}

bool hasOpenGlPixelFormat(HWND window)
{
    HDC dc = GetDC(window);
    if (!dc)
        return false;
    const int format = GetPixelFormat(dc);
    PIXELFORMATDESCRIPTOR description{};
    const bool openGl = format > 0 && DescribePixelFormat(dc, format, sizeof description, &description) &&
        (description.dwFlags & PFD_SUPPORT_OPENGL);
    ReleaseDC(window, dc);
    return openGl;
}

GlWindowReader::~GlWindowReader()
{
    release();
}

void GlWindowReader::release()
{
    if (context)
        wglDeleteContext(context);
    context = nullptr;
    window = nullptr;
}

bool GlWindowReader::read(HWND target, RgbImage& image)
{
    RECT client{};
    GetClientRect(target, &client);
    const int width = client.right;
    const int height = client.bottom;
    HDC dc = GetDC(target);
    if (!dc || width <= 0 || height <= 0) {
        if (dc)
            ReleaseDC(target, dc);
        return false;
    }
    // A context made on another window may not fit this one's pixel format.
    if (target != window)
        release();
    if (!context) {
        const int format = GetPixelFormat(dc);
        PIXELFORMATDESCRIPTOR description{};
        context = format > 0 ? wglCreateContext(dc) : nullptr;
        if (!context) {
            ReleaseDC(target, dc);
            return false;
        }
        DescribePixelFormat(dc, format, sizeof description, &description);
        doubleBuffered = (description.dwFlags & PFD_DOUBLEBUFFER) != 0;
        window = target;
    }

    HGLRC previousContext = wglGetCurrentContext();
    HDC previousDc = wglGetCurrentDC();
    bool read = false;
    if (wglMakeCurrent(dc, context)) {
        rgba.resize(static_cast<size_t>(width) * height * 4);
        glReadBuffer(doubleBuffered ? GL_BACK : GL_FRONT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        read = glGetError() == GL_NO_ERROR;
        if (read) {
            image.width = width;
            image.height = height;
            image.pixels.resize(static_cast<size_t>(width) * height * 3);
            // OpenGL's rows run from the bottom.
            for (int y = 0; y < height; ++y) {
                const uint8_t* from = rgba.data() + static_cast<size_t>(height - 1 - y) * width * 4;
                uint8_t* to = image.pixels.data() + static_cast<size_t>(y) * width * 3;
                for (int x = 0; x < width; ++x) {
                    to[x * 3] = from[x * 4];
                    to[x * 3 + 1] = from[x * 4 + 1];
                    to[x * 3 + 2] = from[x * 4 + 2];
                }
            }
        }
    }
    wglMakeCurrent(previousDc, previousContext);
    ReleaseDC(target, dc);
    return read;
}
