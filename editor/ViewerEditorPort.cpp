#include "editor/ViewerEditorPort.h"

#include "editor/ViewerEditor.h"

#include <new>

namespace {
class ViewerEditorPort : public EditorPort {
public:
    bool open(void* parentWindow) override { return editor.open(parentWindow) != 0; }
    void idle() override { editor.idle(); }
    void close() override { editor.close(); }
    void size(int32_t& width, int32_t& height) const override
    {
        ERect* rect = nullptr;
        editor.getRect(&rect);
        width = rect->right - rect->left;
        height = rect->bottom - rect->top;
    }

private:
    mutable ViewerEditor editor{nullptr};
};
} // namespace

EditorPort* createViewerEditorPort()
{
    return new (std::nothrow) ViewerEditorPort;
}
