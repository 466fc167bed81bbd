#pragma once
// The host's window a plug-in test parents an editor in, whatever the plug-in
// format: an X11 window on Linux, a Win32 one under Wine. One implementation
// per platform.
#include <cstdint>
#include <memory>
#include <vector>

class PluginTestWindow {
public:
    PluginTestWindow();
    ~PluginTestWindow();
    PluginTestWindow(const PluginTestWindow&) = delete;
    PluginTestWindow& operator=(const PluginTestWindow&) = delete;

    // The window as hosts hand it over: an HWND, or an X11 window id carried
    // in the pointer.
    void* handle() const;
    // Lets the window system deliver what is queued, as a host's loop does.
    void pump();
    // How many child windows the editor has in it.
    int children() const;
    // The screen's pixels over a rectangle of the window, 0x00RRGGBB, rows
    // from the top; empty where the platform's tests cannot read the screen.
    std::vector<uint32_t> picture(int left, int top, int width, int height) const;

private:
    struct Native;
    std::unique_ptr<Native> native;
};

// Writes a picture as a binary PPM, for a person to look at; nothing when the
// file cannot be written.
void keepPicture(const std::vector<uint32_t>& pixels, int width, int height, const char* file);
