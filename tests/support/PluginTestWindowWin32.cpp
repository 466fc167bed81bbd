#include "tests/support/PluginTestWindow.h"

#include "tests/support/Win32Window.h"

struct PluginTestWindow::Native {
    TestWindow window{800, 600};
};

PluginTestWindow::PluginTestWindow()
    : native(new Native)
{
}

PluginTestWindow::~PluginTestWindow() = default;

void* PluginTestWindow::handle() const
{
    return native->window.handle();
}

void PluginTestWindow::pump()
{
    pumpMessages();
}

int PluginTestWindow::children() const
{
    int count = 0;
    for (HWND child = GetWindow(native->window.handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        ++count;
    return count;
}

// Wine keeps the view's OpenGL frames in a hidden X window, which no Win32
// read-back sees; the Linux build's test judges the picture.
std::vector<uint32_t> PluginTestWindow::picture(int, int, int, int) const
{
    return {};
}
