#pragma once
// An instrument the 3-D view can show: its name for the host, its range of
// notes, and the OpenGL display list that holds its static geometry. The
// view owns exactly one, `currentModel` (view3d/ModelSwap.h), replaced on
// every program change.
//
// Models are built on the thread that draws the view and touch no GL state
// until they first draw, so a model may be created while no view exists.

class InstrumentModel {
public:
    static constexpr int nameCapacity = 28;

    // Models are destroyed through this base (program changes, the plug-in's
    // destructor), so the destructor must be virtual.
    virtual ~InstrumentModel() = default;

    // Stores the range only; nothing is rebuilt and the name stays.
    virtual void configure(int keyCount, int startOctave, int startPitchClass);

    // Forgets the display list without deleting it: it belongs to a GL context
    // that may be gone. The next draw compiles the static geometry again.
    virtual void invalidateLists();

    // One frame of the model, in the current GL context (the thread that
    // draws the view, holding the model's lock: view3d/ModelSwap.h).
    virtual void draw() { }
    // Compiles the static geometry into `displayList`; leaves it 0 when GL
    // has no list to give.
    virtual void buildLists() { }

    const char* getName() const { return name; }
    int getKeyCount() const { return keyCount; }
    // The lowest note as a note-table index (MIDI note - 12).
    int lowestNoteIndex() const { return 12 * startOctave + startPitchClass; }
    unsigned int getDisplayList() const { return displayList; }

protected:
    InstrumentModel(int keyCount, int startOctave, int startPitchClass);

    // Runs the static geometry, compiling it first when this context has none
    // yet. Without a list (GL gave none) it draws nothing and the next frame
    // tries again.
    void callStaticLists();

    char name[nameCapacity] = {};
    int keyCount;
    int startOctave;
    int startPitchClass; // 0 = C .. 11 = B
    unsigned int displayList = 0; // 0 = not compiled in the current context
};
