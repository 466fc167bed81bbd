#pragma once

// GraphicsContext wraps one drawing target for one paint, click or idle
// refresh: a Win32 device context, or on X11 the frame window's drawing
// surface (gui/x11/FrameSurface.h). It creates and owns at most one pen, one
// brush and one font, keeps the current colours, and offers the few
// primitives the views draw with; the platform implements them
// (gui/win32/GraphicsContext.cpp, gui/x11/GraphicsContext.cpp) with GDI's
// rules for which pixels a line, a fill and a text box cover. On Windows
// construction remembers the device context's own pen, brush and font and
// the destructor puts them back, so the device context is handed back as it
// came; the target itself stays with whoever obtained it.
//
// Views receive a context for the length of one call and never keep it.
// User-interface thread only. Handles are opaque here so that this header
// pulls in no platform header.

#include <cstdint>

#include "gui/Color.h"
#include "gui/FontTable.h"
#include "gui/Point.h"
#include "gui/Rect.h"

class EditorFrame;

enum TextAlignment : int32_t {
    AlignLeft = 0,
    AlignCenter = 1,
    AlignRight = 2,
};

enum PenStyle : int32_t {
    PenSolid = 0,
    PenDotted = 1,
};

class GraphicsContext {
public:
    // A null target gives a context that stores settings but draws nothing.
    GraphicsContext(EditorFrame* frame, void* deviceContext, void* window);
    virtual ~GraphicsContext();

    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    void setPenColor(Color color);
    // PenDotted draws dotted lines; any other value solid ones.
    void setPenStyle(int32_t style);
    // Also the background colour of opaque text.
    void setBrushColor(Color color);
    void setTextColor(Color color);
    // An id outside 0..6 means FontTitle; size 0 means the table's size for the id.
    void selectFont(int32_t fontId, int32_t size = 0);

    void moveTo(Point p);
    void lineTo(Point p);
    // Outlines all four edges, corners included; ends at (left, top).
    void strokeRect(const Rect& r);
    // Fills exactly the inside of strokeRect's outline of the same rectangle.
    void fillRect(const Rect& r);
    // One vertically centred line, clipped to `r`. Left-aligned text starts one
    // pixel inside the left edge. Opaque text fills its cell with the brush colour.
    void drawText(const char* text, const Rect& r, bool opaque = false, int32_t alignment = AlignCenter);

    EditorFrame* getFrame() const { return frame; }
    void* getDeviceContext() const { return deviceContext; }
    void* getWindow() const { return window; }
    int32_t getFontSize() const { return fontSize; }
    Color getPenColor() const { return penColor; }
    Color getBrushColor() const { return brushColor; }
    Color getTextColor() const { return textColor; }
    int32_t getPenStyle() const { return penStyle; }

private:
    void rebuildPen();
    // Selects `created` in place of `owned` and deletes the old one. A failed
    // creation (null) keeps the old object in use.
    void replaceOwned(void*& owned, void* created);

    void* deviceContext;
    void* window;
    EditorFrame* frame;
    int32_t fontSize = 0;
    Color textColor = ColorWhite;
    int32_t penWidth = 1;
    Color penColor = ColorWhite;
    Color brushColor = ColorBlack;
    int32_t penStyle = PenSolid;
    void* brush = nullptr;
    void* pen = nullptr;
    void* font = nullptr;
    void* savedBrush = nullptr;
    void* savedPen = nullptr;
    void* savedFont = nullptr;
    int32_t nativePenStyle = 0;
    Point penPosition;
};
