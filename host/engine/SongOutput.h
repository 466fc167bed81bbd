#pragma once
// The song on its way to a MIDI output: remembers which notes it left
// sounding, so that a stop, a loop back or the end of the song can silence
// them instead of leaving a synthesizer droning. Processing thread only.
#include "host/engine/MidiOutput.h"

#include <cstdint>

class SongOutput {
public:
    // `output` may be null: nothing sounds then.
    void connect(MidiOutput* newOutput) { output = newOutput; }

    void send(const uint8_t* bytes, uint8_t size);
    // A note-off for every note left sounding, and the sustain pedal up on
    // every channel that used it.
    void silence();

private:
    bool isSounding(int channel, int note) const;

    MidiOutput* output = nullptr;
    uint32_t sounding[16][4] = {};
    uint32_t pedalDown = 0; // bit c: the sustain pedal of channel c + 1
};
