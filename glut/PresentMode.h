#pragma once
// How a finished frame of a GLUT window reaches the screen.
//
// Swap: the driver swaps the buffers and shows the frame in the window itself,
// as on Windows. Copy: the frame is read back from the back buffer and drawn
// into a plain window above the GL window with the 2-D drawing calls. Wine 8
// keeps the frames of an OpenGL child window in a hidden X window, so under
// Wine only the copy reaches the screen.
//
// QARN_PRESENT (`swap` or `copy`) overrides the choice: for Wine versions
// whose child windows do reach the screen, and for benchmarks that compare
// the two ways.

enum class PresentMode { Swap, Copy };

// The environment variable that overrides the choice.
constexpr const char* presentModeVariable = "QARN_PRESENT";

// `setting` is the variable's value (null when unset); anything but `swap` or
// `copy` leaves the choice to the platform: copy under Wine, swap elsewhere.
PresentMode choosePresentMode(const char* setting, bool underWine);
