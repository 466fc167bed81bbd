// A practice run of the demo song as the host plays it with --wait and
// --tempo 50: the transport, the plug-in's scoring and a scripted player that
// answers every wait, block by block on one thread.
#include "host/engine/MidiFile.h"
#include "host/practice/PracticeReferee.h"
#include "host/practice/ScriptedPlayer.h"
#include "host/engine/SongSchedule.h"
#include "host/engine/Transport.h"

#include <gtest/gtest.h>

namespace {

constexpr int32_t block = 512;
constexpr int practiceTag = 139;

TEST(DemoPracticeRunTest, AWaitingSongAtHalfTempoAnsweredNoteForNote)
{
    MidiFile file;
    std::string error;
    ASSERT_TRUE(loadMidiFile(QARN_DEMO_SONG, file, error)) << error;
    const SongSchedule song(file, 44100.0);
    ASSERT_EQ(song.barCount(), 6);

    PracticeSettings settings;
    PracticeOptions options;
    options.tempoPercent = 50;
    options.waitForPlayer = true;
    options.playAs = 16; // the song's own player stays out of the plug-in
    settings.apply(options, options.playAs);
    Transport transport(&song, block, 44100.0, false);
    transport.practiseWith(&settings);
    PracticeReferee referee;
    referee.layOutBars(song.barCount());
    referee.onPanelPress(practiceTag);
    ScriptedPlayer player;

    std::vector<HostCommand> commands(1);
    commands[0].kind = HostCommandKind::Play;
    std::vector<VstMidiEvent> events;
    std::vector<VstEvent*> pointers;
    VstTimeInfo time{};
    int blocks = 0;
    for (; blocks < 100000 && (blocks == 0 || transport.isPlaying()); ++blocks) {
        transport.nextBlock(commands, events, time);
        // The record declares two pointers; room for more follows it.
        std::vector<unsigned char> storage(sizeof(VstEvents) + events.size() * sizeof(VstEvent*));
        auto* list = reinterpret_cast<VstEvents*>(storage.data());
        list->numEvents = static_cast<int32_t>(events.size());
        for (size_t i = 0; i < events.size(); ++i)
            list->events[i] = reinterpret_cast<VstEvent*>(&events[i]);
        referee.onBlock(list, &time, transport.eventBars().data());
        commands = player.answer(transport.playerWait());
    }
    EXPECT_LT(blocks, 100000);
    EXPECT_EQ(transport.playerWait().waitsBegun(), 26u); // one wait per onset: both hands together are one chord

    const PracticeSummary summary = referee.summary();
    EXPECT_EQ(summary.total.expected, 45);
    EXPECT_EQ(summary.total.hit, 45);
    EXPECT_EQ(summary.total.missed + summary.total.wrong, 0);
    ASSERT_TRUE(summary.hasPercentage);
    EXPECT_EQ(percentageText(summary.percentage), "100.00");
    EXPECT_EQ(summary.bars[4].expected, 10);
}

} // namespace
