#pragma once
// The flute's fixed data: where its five key rods sit on the tube, the nine
// key slots of each rod, and which fingering rows are closed for each note.
// Notes are counted 1..39 from MIDI 60 (note n is MIDI 59 + n); 0 means no
// note, at which every row is open.

struct FluteRod {
    float position; // along the tube, from its lower end
    float length;
    float angle; // around the tube, degrees
};

enum FluteKeyKind : int { EmptySlot = 0, Cup = 1, Lever = 2 };

struct FluteKey {
    float position; // along the rod
    int kind; // FluteKeyKind
    int side; // -1 or +1
    float shape; // cup: size (radius shape / 10); lever: twist in degrees
    float lift; // lever: extra offset along the rod
    float reach; // lever: sideways distance
    int ownRow; // fingering row 1..13 that closes this key, 0 = none
    int linkedRows[3]; // rows that move this key through the mechanism, 0 = none
};

constexpr int fluteRodCount = 5;
constexpr int fluteSlotsPerRod = 9;
constexpr int fingeringRowCount = 13;
constexpr int fluteNoteCount = 39;

extern const FluteRod fluteRodTable[fluteRodCount];
extern const FluteKey fluteKeyTable[fluteRodCount][fluteSlotsPerRod];

// Whether fingering row 1..13 is closed at note 0..39, in the standard
// (variant 0) or the alternative (variant 1) fingering. Anything out of range
// is open.
bool fingeringRowClosed(int variant, int row, int note);

// Whether note 1..39 has an alternative fingering.
bool hasAlternativeFingering(int note);
