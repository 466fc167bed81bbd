#pragma once
// Keys belong to the host: the GLUT windows use none, so a key message that
// reaches one of them (a host may have given it the focus) goes on to its
// parent, as it would have had the window not been there.
#include <windows.h>

inline bool isKeyMessage(UINT message)
{
    return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

// Hands a key message to the window's parent; answers what the parent did.
inline LRESULT passKeyToParent(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    HWND parent = GetParent(window);
    return parent != nullptr ? SendMessageW(parent, message, wParam, lParam) : 0;
}
