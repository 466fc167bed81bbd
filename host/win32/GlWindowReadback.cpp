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

bool readOpenGlWindow(HWND window, RgbImage& image)
{
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    HDC dc = GetDC(window);
    if (!dc || width <= 0 || height <= 0) {
        if (dc)
            ReleaseDC(window, dc);
        return false;
    }
    PIXELFORMATDESCRIPTOR description{};
    const int format = GetPixelFormat(dc);
    HGLRC reader = format > 0 ? wglCreateContext(dc) : nullptr;
    if (!reader) {
        ReleaseDC(window, dc);
        return false;
    }
    DescribePixelFormat(dc, format, sizeof description, &description);

    HGLRC previousContext = wglGetCurrentContext();
    HDC previousDc = wglGetCurrentDC();
    bool read = false;
    if (wglMakeCurrent(dc, reader)) {
        std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4);
        glReadBuffer((description.dwFlags & PFD_DOUBLEBUFFER) ? GL_BACK : GL_FRONT);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        read = glGetError() == GL_NO_ERROR;
        if (read) {
            image.width = width;
            image.height = height;
            image.pixels.resize(static_cast<size_t>(width) * height * 3);
            // OpenGL's rows run from the bottom.
            for (int y = 0; y < height; ++y) {
                const uint8_t* source = rgba.data() + static_cast<size_t>(height - 1 - y) * width * 4;
                uint8_t* target = image.pixels.data() + static_cast<size_t>(y) * width * 3;
                for (int x = 0; x < width; ++x) {
                    target[x * 3] = source[x * 4];
                    target[x * 3 + 1] = source[x * 4 + 1];
                    target[x * 3 + 2] = source[x * 4 + 2];
                }
            }
        }
    }
    wglMakeCurrent(previousDc, previousContext);
    wglDeleteContext(reader);
    ReleaseDC(window, dc);
    return read;
}
