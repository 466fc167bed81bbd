// The choice between swapping and copying frames (QARN_PRESENT).
#include "glut/PresentMode.h"

#include <gtest/gtest.h>

TEST(PresentMode, TheSettingOverridesThePlatformAndAnythingElseLeavesItTheChoice)
{
    for (bool underWine : {false, true}) {
        EXPECT_EQ(choosePresentMode("swap", underWine), PresentMode::Swap);
        EXPECT_EQ(choosePresentMode("copy", underWine), PresentMode::Copy);
        const PresentMode platform = underWine ? PresentMode::Copy : PresentMode::Swap;
        for (const char* other : {static_cast<const char*>(nullptr), "", "Copy", "swap ", "gdi"})
            EXPECT_EQ(choosePresentMode(other, underWine), platform) << (other ? other : "(unset)");
    }
}
