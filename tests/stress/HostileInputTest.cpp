// Event records as real hosts fill them in, through the dispatcher: some
// (LMMS's VST server among them) count a MIDI event's byteSize without its
// first two fields, 24 instead of 32, and some leave it unset. The plug-in
// reads the MIDI bytes of every record of MIDI type whatever its byteSize.
#include "state/NoteTable.h"
#include "tests/support/PlainEditor.h"
#include "formats/vst2/VstEntry.h"
#include "tests/support/MidiBlock.h"
#include "tests/support/PluginStateReset.h"
#include "tests/support/StressHost.h"

#include <gtest/gtest.h>

namespace {

TEST(HostileInput, MidiEventsCountWhateverTheirByteSize)
{
    resetPluginState();
    AEffect* effect = vstMain(stressHostCallback, createPlainEditor);
    ASSERT_NE(effect, nullptr);
    for (int32_t byteSize : {24, 32, 0, -1, 1 << 30}) {
        MidiBlock on;
        on.noteOn(0, 60, 100);
        VstEvents* events = on.events();
        reinterpret_cast<VstMidiEvent*>(events->events[0])->byteSize = byteSize;
        effect->dispatcher(effect, effProcessEvents, 0, 0, events, 0.0f);
        EXPECT_EQ(noteTable.entries[60 - lowestTabledNote].velocity.load(), 100) << byteSize;

        MidiBlock off;
        off.noteOff(0, 60);
        events = off.events();
        reinterpret_cast<VstMidiEvent*>(events->events[0])->byteSize = byteSize;
        effect->dispatcher(effect, effProcessEvents, 0, 0, events, 0.0f);
        EXPECT_EQ(noteTable.entries[60 - lowestTabledNote].velocity.load(), 0) << byteSize;
    }
    effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
}

} // namespace
