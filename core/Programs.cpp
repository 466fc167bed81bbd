#include "core/Programs.h"

#include "view3d/FluteModel.h"
#include "view3d/PianoModel.h"

#include <cstdio>
#include <new>

namespace {
struct PianoProgram {
    int keyCount;
    int startOctave;
    int startPitchClass;
};

// Programs 0..3. The lowest MIDI note is 12 * (octave + 1) + pitch class.
constexpr PianoProgram pianoPrograms[] = {
    {37, 2, 0}, // MIDI 36..72
    {61, 1, 0}, // MIDI 24..84
    {76, 0, 9}, // MIDI 21..96
    {88, 0, 9}, // MIDI 21..108
};
constexpr int32_t fluteProgram = 4;
} // namespace

InstrumentModel* buildProgramModel(int32_t program)
{
    if (program >= 0 && program < fluteProgram) {
        const PianoProgram& piano = pianoPrograms[program];
        return new (std::nothrow) PianoModel(piano.keyCount, piano.startOctave, piano.startPitchClass);
    }
    if (program == fluteProgram)
        return new (std::nothrow) FluteModel(0, 4, 0);
    return nullptr;
}

void copyProgramName(int32_t program, char* name, int capacity)
{
    if (capacity <= 0)
        return;
    if (program >= 0 && program < fluteProgram)
        PianoModel::formatName(pianoPrograms[program].keyCount, name, capacity);
    else
        std::snprintf(name, static_cast<size_t>(capacity), "%s", program == fluteProgram ? FluteModel::modelName : "");
}
