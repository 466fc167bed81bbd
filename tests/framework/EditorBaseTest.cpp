#include <gtest/gtest.h>

#include "TestEffect.h"
#include "framework/EditorBase.h"

namespace {

class CountingEditor : public EditorBase {
public:
    using EditorBase::EditorBase;
    void onUpdate() override { ++updates; }
    int updates = 0;
};

TEST(EditorBase, DefaultsHaveNoRectangleAndRememberTheWindow)
{
    TestEffect effect(nullptr);
    EditorBase editor(&effect);
    ERect dummy{};
    ERect* rect = &dummy;
    EXPECT_EQ(editor.getRect(&rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(editor.getEffect(), &effect);
    EXPECT_EQ(editor.getParentWindow(), nullptr);
    int window = 0;
    EXPECT_EQ(editor.open(&window), 0);
    EXPECT_EQ(editor.getParentWindow(), &window);
}

TEST(EditorBase, IdleRunsOneUpdatePerRequest)
{
    TestEffect effect(nullptr);
    CountingEditor editor(&effect);
    editor.idle();
    EXPECT_EQ(editor.updates, 0);
    editor.requestUpdate();
    editor.requestUpdate();
    editor.idle();
    editor.idle();
    EXPECT_EQ(editor.updates, 1);
}

} // namespace
