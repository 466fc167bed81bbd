#include "tests/clap/HostWindow.h"

#include "tests/support/X11TestWindow.h"

struct HostWindow::Native {
    X11TestWindow window;
};

HostWindow::HostWindow()
    : native(new Native)
{
}

HostWindow::~HostWindow() = default;

clap_window_t HostWindow::window() const
{
    clap_window_t window{};
    window.api = CLAP_WINDOW_API_X11;
    window.x11 = native->window.handle();
    return window;
}

void HostWindow::pump()
{
    XSync(native->window.connection(), False);
}

int HostWindow::children() const
{
    return static_cast<int>(native->window.children().size());
}

std::vector<uint32_t> HostWindow::picture(int left, int top, int width, int height) const
{
    const auto image = native->window.screenImage(native->window.handle(), left + width, top + height);
    std::vector<uint32_t> pixels;
    if (image.empty())
        return pixels;
    for (int y = top; y < top + height; ++y) {
        for (int x = left; x < left + width; ++x) {
            const auto& rgb = image[static_cast<size_t>(y * (left + width) + x)];
            pixels.push_back(static_cast<uint32_t>(rgb[0] << 16 | rgb[1] << 8 | rgb[2]));
        }
    }
    return pixels;
}
