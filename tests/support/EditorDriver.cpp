#include "tests/support/EditorDriver.h"

#include "editor/ViewerEditor.h"
#include "framework/EffectBase.h"
#include "gui/EditorFrame.h"
#include "gui/PanelButton.h"

#include <string_view>

namespace {

constexpr int hostWidth = 700;
constexpr int hostHeight = 500;

// The panel's window class starts with "Plugin"; the view's is the GLUT layer's.
HWND childOfClass(HWND parent, bool panel)
{
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        char name[64] = {};
        GetClassNameA(child, name, sizeof name);
        const bool isPanel = std::string_view(name).rfind("Plugin", 0) == 0;
        if (isPanel == panel)
            return child;
    }
    return nullptr;
}

} // namespace

intptr_t EditorDriver::dispatch(int32_t opcode, intptr_t value, void* ptr)
{
    return effect->dispatcher(effect, opcode, 0, value, ptr, 0.0f);
}

intptr_t EditorDriver::open()
{
    window.create(hostWidth, hostHeight);
    const intptr_t answer = dispatch(effEditOpen, 0, window.handle());
    pumpMessages();
    return answer;
}

void EditorDriver::close(bool destroyWindowFirst)
{
    if (destroyWindowFirst)
        window.destroy();
    dispatch(effEditClose);
    window.destroy();
}

void EditorDriver::idle()
{
    pumpMessages();
    dispatch(effEditIdle);
}

HWND EditorDriver::panelWindow() const
{
    return window.handle() ? childOfClass(window.handle(), true) : nullptr;
}

HWND EditorDriver::viewWindow() const
{
    return window.handle() ? childOfClass(window.handle(), false) : nullptr;
}

bool EditorDriver::press(int32_t tag, bool rightButton)
{
    auto* editor = static_cast<ViewerEditor*>(static_cast<EffectBase*>(effect->object)->getEditor());
    EditorFrame* frame = editor ? editor->getFrame() : nullptr;
    HWND panel = panelWindow();
    if (!frame || !panel || frame->getWindow() != panel)
        return false;
    for (int32_t i = 0; i < frame->getChildCount(); ++i) {
        auto* button = dynamic_cast<PanelButton*>(frame->getChild(i));
        if (!button || button->getTag() != tag)
            continue;
        const Rect area = button->getRect();
        const int x = (area.left + area.right) / 2;
        const int y = (area.top + area.bottom) / 2;
        click(panel, rightButton ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, x, y);
        click(panel, rightButton ? WM_RBUTTONUP : WM_LBUTTONUP, x, y);
        return true;
    }
    return false;
}
