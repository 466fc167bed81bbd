#pragma once
// The panel's practice read-out as it should look showing a text, drawn here
// with plain GDI into memory: a black box outlined in red along all four
// edges (right and bottom included), the text in white, Arial of 11 pixels,
// centred both ways on one line. It knows nothing of the editor or its
// toolkit, so a capture of the plug-in's window can be judged against it.
#include "editor/PanelLayout.h"
#include "resources/PanelBitmapSizes.h"

#include <windows.h>

#include <string>
#include <vector>

class ReadoutPicture {
public:
    explicit ReadoutPicture(const std::string& text);

    // False when GDI could not draw it.
    bool drawn() const { return !pixels.empty(); }
    // The pixel at panel coordinates inside the box (outline included).
    COLORREF at(int x, int y) const;
    // The pixels of the text's colour: none means no text was drawn.
    int textPixels() const;

    static constexpr PanelArea box = readoutArea(panelBitmapSize(TagLinkedKeys).width);
    static constexpr int width = box.right - box.left + 1;
    static constexpr int height = box.bottom - box.top + 1;

private:
    std::vector<COLORREF> pixels; // rows from the top
};
