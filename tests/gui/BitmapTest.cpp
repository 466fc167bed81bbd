#include <windows.h>

#include "gui/Bitmap.h"
#include "gui/GraphicsContext.h"
#include "gui/ModuleHandle.h"
#include "GuiTestSupport.h"
#include "tests/support/GdiCallLog.h"

namespace {

using BitmapTest = GuiTest;

TEST_F(BitmapTest, LoadsByIdFromTheModuleAndCopiesTheRequestedPart)
{
    Bitmap* quadrants = new Bitmap(quadrantsBitmap + 0x10000); // only the low 16 bits name it
    EXPECT_EQ(quadrants->getWidth(), 32);
    EXPECT_EQ(quadrants->getHeight(), 32);
    PixelCanvas canvas(40, 40, ColorMagenta);
    {
        GraphicsContext context(nullptr, canvas.dc(), nullptr);
        quadrants->blit(&context, Rect(2, 3, 10, 9), Point(16, 16));
    }
    EXPECT_EQ(canvas.count(ColorYellow, 0, 0, 40, 40), 8 * 6);
    EXPECT_EQ(canvas.count(ColorYellow, 2, 3, 10, 9), 8 * 6);
    quadrants->release();
}

TEST_F(BitmapTest, LastReleaseDeletesTheImage)
{
    Bitmap* bitmap = new Bitmap(buttonBitmap);
    HGDIOBJ handle = bitmap->getHandle();
    ASSERT_EQ(GetObjectType(handle), DWORD(OBJ_BITMAP));
    bitmap->retain();
    bitmap->release();
    EXPECT_EQ(GetObjectType(handle), DWORD(OBJ_BITMAP));
    bitmap->release();
    EXPECT_EQ(GetObjectType(handle), 0u);
}

TEST_F(BitmapTest, MissingResourceGivesAnEmptyBitmapThatDrawsNothing)
{
    PixelCanvas canvas(20, 20, ColorMagenta);
    GraphicsContext context(nullptr, canvas.dc(), nullptr);
    Bitmap* missing = new Bitmap(missingBitmap);
    EXPECT_EQ(missing->getWidth(), 0);
    EXPECT_EQ(missing->getHeight(), 0);
    EXPECT_EQ(missing->getHandle(), nullptr);
    missing->retain();
    missing->blit(&context, Rect(0, 0, 20, 20), Point(0, 0));
    missing->release();
    missing->release();
    EXPECT_EQ(canvas.count(ColorMagenta, 0, 0, 20, 20), 400);

    // Without a module handle nothing is loaded, not even the system's own bitmaps.
    setModuleInstance(nullptr);
    Bitmap* unloaded = new Bitmap(32754); // a system bitmap's ID
    setModuleInstance(GetModuleHandleA(nullptr));
    EXPECT_EQ(unloaded->getHandle(), nullptr);
    unloaded->blit(nullptr, Rect(0, 0, 20, 20), Point(0, 0));
    unloaded->release();
}

} // namespace
