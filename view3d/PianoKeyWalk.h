#pragma once
// The order in which a piano's keys are counted and drawn: from the lowest
// note upwards, each white key followed by the black key above it where
// there is one. Counting the white keys and drawing the keys walk the same
// way, so a key's place on the keyboard always matches its note.

// For each pitch class C..B, the index of its white key within the octave
// (the white key itself, or the one just below a black key).
inline constexpr int whiteIndexOfPitchClass[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};

// White indices 2 (E) and 6 (B) have no black key above them.
constexpr bool hasBlackKeyAbove(int whiteIndex)
{
    return whiteIndex != 2 && whiteIndex != 6;
}

struct PianoKey {
    int noteIndex; // note-table index (MIDI note - 12)
    bool black;
    int column; // white keys to its left; a black key shares its white key's column
};

// Calls visit(const PianoKey&) for every key of the range in drawing order.
// A range that starts on a black pitch class is walked from the white key
// below it; a range of fewer than one key still shows its first white key.
template <typename Visit> void walkPianoKeys(int keyCount, int startOctave, int startPitchClass, Visit&& visit)
{
    int position = 12 * startOctave + startPitchClass;
    const int end = position + keyCount;
    int column = 0;
    for (int j = whiteIndexOfPitchClass[((startPitchClass % 12) + 12) % 12];; j = 0) {
        for (; j <= 6; ++j, ++column) {
            visit(PianoKey{position, false, column});
            if (++position >= end)
                return;
            if (hasBlackKeyAbove(j)) {
                visit(PianoKey{position, true, column});
                if (++position >= end)
                    return;
            }
        }
    }
}
