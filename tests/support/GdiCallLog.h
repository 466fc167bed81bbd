#pragma once

// Watches the GDI and window calls of this test program by redirecting its
// import address table: the toolkit is linked into the program, so every GDI
// object, device context and window it makes or lets go passes through here.
// That gives leak counts (Wine does not count GDI objects per process), a
// record of the windows touched, a check that no object is deleted while
// selected, and failures on request.

#include <set>
#include <vector>

namespace gdiLog {

// Redirects the imports once; answers whether every one was found.
bool install();

// Pens, brushes, fonts and bitmaps created and not yet deleted.
const std::set<void*>& liveObjects();
// Device contexts obtained (GetDC, CreateCompatibleDC) and not yet given back.
const std::set<void*>& liveDeviceContexts();
// BeginPaint calls minus EndPaint calls.
int openPaints();

// Every window handle passed to a window or device-context call, in order.
const std::vector<void*>& touchedWindows();
void clearTouchedWindows();

// From now on, deleting an object that is selected into `deviceContext` counts
// as a fault; null stops watching and keeps the count.
void watchDeviceContext(void* deviceContext);
int deletionsWhileSelected();

// While set, creating pens, brushes or fonts fails (answers null).
void failCreations(bool state);

} // namespace gdiLog
