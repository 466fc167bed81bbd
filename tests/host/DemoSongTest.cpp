// The bundled demo song: a well-formed file whose player (channel 16) scores
// below 100 % against the two hands, as the demo promises.
#include "host/engine/MidiFile.h"
#include "host/practice/PracticeReferee.h"
#include "host/engine/ProcessingLoop.h"
#include "host/engine/SongSchedule.h"
#include "host/engine/Transport.h"

#include <gtest/gtest.h>

#include <set>

namespace {

TEST(DemoSongTest, TwoHandsAndALatePlayerWithMistakes)
{
    MidiFile file;
    std::string message;
    ASSERT_TRUE(loadMidiFile(QARN_DEMO_SONG, file, message)) << message;
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.trackCount, 4);
    EXPECT_EQ(file.tempoChanges.size(), 2u);
    std::set<int> channels;
    for (const MidiFileEvent& event : file.events)
        channels.insert(event.bytes[0] & 0x0F);
    EXPECT_EQ(channels, (std::set<int>{0, 1, 15}));

    // Played through the transport, block by block, as the host plays it.
    const SongSchedule song(file, 44100.0);
    Transport transport(&song, 512, 44100.0, false);
    HostCommandQueue commands;
    PracticeReferee referee;
    referee.onPanelPress(139);
    ProcessingLoop loop(
        transport, commands,
        [&](VstEvents* events, const VstTimeInfo& time, int32_t) {
            if (events)
                referee.onBlock(events, &time);
        },
        512, 44100.0);
    HostCommand play;
    play.kind = HostCommandKind::Play;
    commands.post(play);
    loop.runBlock();
    while (transport.isPlaying())
        loop.runBlock();

    float percent = 0.0f;
    ASSERT_TRUE(referee.percentage(percent));
    EXPECT_GT(percent, 50.0f);
    EXPECT_LT(percent, 100.0f);
}

} // namespace
