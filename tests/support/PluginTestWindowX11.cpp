#include "tests/support/PluginTestWindow.h"

#include "tests/support/X11TestWindow.h"

struct PluginTestWindow::Native {
    X11TestWindow window;
};

PluginTestWindow::PluginTestWindow()
    : native(new Native)
{
}

PluginTestWindow::~PluginTestWindow() = default;

void* PluginTestWindow::handle() const
{
    return reinterpret_cast<void*>(static_cast<uintptr_t>(native->window.handle()));
}

void PluginTestWindow::pump()
{
    XSync(native->window.connection(), False);
}

int PluginTestWindow::children() const
{
    return static_cast<int>(native->window.children().size());
}

std::vector<uint32_t> PluginTestWindow::picture(int left, int top, int width, int height) const
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
