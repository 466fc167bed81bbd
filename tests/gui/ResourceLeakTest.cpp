#include <windows.h>

#include "gui/Bitmap.h"
#include "gui/EditorFrame.h"
#include "gui/PanelButton.h"
#include "gui/ValueDisplay.h"
#include "GuiTestSupport.h"
#include "tests/support/GdiCallLog.h"

namespace {

using ResourceLeakTest = GuiTest;

// Builds, paints, presses, refreshes and deletes a small panel again and again:
// every pen, brush, font, bitmap, device context and window it made must be gone.
TEST_F(ResourceLeakTest, PanelsLeaveNoGdiObjectDeviceContextOrWindowBehind)
{
    TestWindow parent(320, 240);
    const std::set<void*> objectsBefore = gdiLog::liveObjects();
    const std::set<void*> deviceContextsBefore = gdiLog::liveDeviceContexts();
    for (int i = 0; i < 200; ++i) {
        auto* frame = new EditorFrame(Rect(0, 0, 100, 80), parent.handle(), nullptr);
        Bitmap* backdrop = new Bitmap(backdropBitmap);
        frame->setBackdrop(backdrop);
        backdrop->release();
        Bitmap* picture = new Bitmap(buttonBitmap);
        frame->addChild(new PanelButton(Rect(10, 10, 58, 34), nullptr, 1, picture));
        picture->release();
        auto* display = new ValueDisplay(Rect(0, 40, 48, 60), nullptr, 1);
        frame->addChild(display);
        repaint(frame->getWindow());
        click(frame->getWindow(), WM_LBUTTONDOWN, 20, 20);
        display->setValue(static_cast<float>(i));
        frame->idleRefresh();
        frame->redrawChild(nullptr);
        HWND window = static_cast<HWND>(frame->getWindow());
        delete frame;
        ASSERT_FALSE(IsWindow(window)) << i;
        ASSERT_EQ(gdiLog::liveObjects(), objectsBefore) << i;
        ASSERT_EQ(gdiLog::liveDeviceContexts(), deviceContextsBefore) << i;
        ASSERT_EQ(gdiLog::openPaints(), 0) << i;
    }
    EXPECT_FALSE(frameClassRegistered());
}

} // namespace
