#pragma once
// The view a host keeps in its project, so that reopening the project shows
// the instrument as it was left: the instrument, the camera angles and
// distance, the spin, the three display toggles and the practice scoring rule.
// Practice mode and its totals are not part of it: a reopened project starts
// a practice run afresh.
//
// Saved as a small record of its own layout, the same on every platform:
//   bytes 0..3   "QVvw"
//   byte  4      layout version, 1
//   byte  5      toggles: bit 0 spin, 1 key colour, 2 key motion, 3 linked keys
//   byte  6      scoring rule, 0 or 1
//   byte  7      instrument, 0..4
//   bytes 8..23  tilt (angle about x), turn (about y), spin angle, zoom:
//                signed 32-bit, least significant byte first
// A reader takes only this version and this exact length: a record from a
// later version, a short or long one, or one with a value out of range is
// refused whole.
#include <cstddef>
#include <cstdint>

struct SavedView {
    int32_t instrument = 0;
    int32_t angleX = 0;
    int32_t angleY = 0;
    int32_t spinAngle = 0;
    int32_t zoom = 0;
    bool autoRotate = false;
    bool showKeyColour = false;
    bool showKeyMotion = false;
    bool showLinkedKeys = false;
    int32_t scoringRule = 0;
};

constexpr size_t savedViewSize = 24;
constexpr uint8_t savedViewVersion = 1;

void writeSavedView(const SavedView& view, uint8_t (&bytes)[savedViewSize]);
// False, and `view` untouched, for anything but a whole record of this version
// whose values are all in range.
bool readSavedView(const void* bytes, size_t size, SavedView& view);
