#pragma once
// The toolkit's millisecond clock: GetTickCount on Windows, the monotonic
// clock elsewhere. Wraps around after about 49.7 days; compare ticks by
// subtracting them, as GuiEditor::idleIsDue does.
#include <cstdint>

uint32_t tickCount();
