#pragma once
// Drives the real editor of one plug-in instance the way a Windows host does:
// a host window of its own for each open, effEditOpen into it, the host's
// message pump, effEditIdle, and mouse presses on the panel's buttons. The
// plug-in's code is linked into the test program, as in the editor tests.
#include "framework/Vst2Abi.h"
#include "tests/support/Win32Window.h"

#include <cstdint>

class EditorDriver {
public:
    explicit EditorDriver(AEffect* effect)
        : effect(effect)
    {
    }

    EditorDriver(const EditorDriver&) = delete;
    EditorDriver& operator=(const EditorDriver&) = delete;

    // Creates the host window and opens the editor in it; effEditOpen's answer.
    intptr_t open();
    // Closes the editor and destroys the host window, in either order.
    void close(bool destroyWindowFirst = false);
    // Destroys the host window only, as a host does after effClose.
    void destroyWindow() { window.destroy(); }
    bool isOpen() const { return window.handle() != nullptr; }
    // The host's message pump, then effEditIdle.
    void idle();
    // A press and release of the panel button `tag` at its centre; false when
    // the panel or the button is not there.
    bool press(int32_t tag, bool rightButton = false);
    // The GLUT view's window in the host window, or null.
    HWND viewWindow() const;

    AEffect* const effect;

private:
    intptr_t dispatch(int32_t opcode, intptr_t value = 0, void* ptr = nullptr);
    HWND panelWindow() const;

    TestWindow window;
};
