#include "tests/clap/HostWindow.h"

#include "tests/support/Win32Window.h"

struct HostWindow::Native {
    TestWindow window{800, 600};
};

HostWindow::HostWindow()
    : native(new Native)
{
}

HostWindow::~HostWindow() = default;

clap_window_t HostWindow::window() const
{
    clap_window_t window{};
    window.api = CLAP_WINDOW_API_WIN32;
    window.win32 = native->window.handle();
    return window;
}

void HostWindow::pump()
{
    pumpMessages();
}

int HostWindow::children() const
{
    int count = 0;
    for (HWND child = GetWindow(native->window.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

// Wine keeps the view's OpenGL frames in a hidden X window, which no Win32
// read-back sees; the Linux build's test judges the picture.
std::vector<uint32_t> HostWindow::picture(int, int, int, int) const
{
    return {};
}
