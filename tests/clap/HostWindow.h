#pragma once
// The host's window a test parents the editor in: an X11 window on Linux, a
// Win32 one under Wine. One implementation per platform.
#include "formats/clap/abi/Gui.h"

#include <cstdint>
#include <memory>
#include <vector>

class HostWindow {
public:
    HostWindow();
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    // The window as a CLAP host hands it over.
    clap_window_t window() const;
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
