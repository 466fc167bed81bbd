// The host's MIDI file reader with arbitrary bytes. A file it accepts is
// well formed throughout; a file it refuses names an offset inside the bytes
// it was given.
#include "host/engine/MidiFile.h"

#include <cstdlib>

namespace {
void check(bool condition)
{
    if (!condition)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MidiFile file;
    MidiFileError error;
    if (!parseMidiFile(data, size, file, error)) {
        check(error.offset <= size);
        check(!error.message.empty());
        return 0;
    }
    check(file.format == 0 || file.format == 1);
    check(file.trackCount >= 1 && (file.format == 1 || file.trackCount == 1));
    check((file.ticksPerQuarter > 0) != (file.ticksPerSecond > 0.0));
    uint64_t tick = 0;
    for (const MidiFileEvent& event : file.events) {
        check(event.tick >= tick && event.tick <= file.endTick);
        tick = event.tick;
        check(event.bytes[0] >= 0x80 && event.bytes[0] < 0xF0);
        const int kind = event.bytes[0] & 0xF0;
        check(event.size == ((kind == 0xC0 || kind == 0xD0) ? 2 : 3));
        for (int i = 1; i < event.size; ++i)
            check(event.bytes[i] < 0x80);
        check(event.track < file.trackCount);
    }
    tick = 0;
    for (const TempoChange& change : file.tempoChanges) {
        check(change.tick >= tick && change.microsecondsPerQuarter > 0);
        tick = change.tick;
    }
    return 0;
}
