// The transport playing to a learner: the song's tempo scaled, only the
// expected channels reaching the plug-in while every channel sounds, a bar
// loop, and the song waiting at each expected chord for the player.
#include "host/engine/Transport.h"
#include "tests/host/PracticeSongs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr int32_t block = 512;

HostCommand command(HostCommandKind kind)
{
    HostCommand made;
    made.kind = kind;
    return made;
}

HostCommand playerNote(int note, bool on = true)
{
    return midiCommand(on ? 0x9F : 0x8F, static_cast<uint8_t>(note), on ? 90 : 0);
}

struct Played {
    int64_t frame; // on the host's clock
    uint8_t status;
    int note;
    int bar;
};

// Runs the transport for `blocks` blocks and collects what reached the plug-in.
class Session {
public:
    Session(const MidiFile& file, bool loop = false)
        : song(file, 44100.0)
        , transport(&song, block, 44100.0, loop)
    {
        transport.practiseWith(&settings);
        transport.playTo(&output);
    }

    VstTimeInfo run(int blocks, std::vector<HostCommand> commands = {})
    {
        VstTimeInfo time{};
        for (int i = 0; i < blocks; ++i) {
            transport.nextBlock(i == 0 ? commands : std::vector<HostCommand>{}, events, time);
            if (time.flags & kVstTransportChanged)
                changes.push_back(hostFrame);
            for (size_t e = 0; e < events.size(); ++e) {
                played.push_back(Played{hostFrame + events[e].deltaFrames, static_cast<uint8_t>(events[e].midiData[0]),
                    events[e].midiData[1], transport.eventBars()[e]});
            }
            hostFrame += block;
        }
        return time;
    }

    std::vector<Played> noteOns() const
    {
        std::vector<Played> ons;
        std::copy_if(played.begin(), played.end(), std::back_inserter(ons),
            [](const Played& p) { return (p.status & 0xF0) == 0x90; });
        return ons;
    }

    SongSchedule song;
    Transport transport;
    PracticeSettings settings;
    RecordingOutput output;
    std::vector<VstMidiEvent> events;
    std::vector<Played> played;
    std::vector<int64_t> changes;
    int64_t hostFrame = 0;
};

int blocksFor(int64_t frames)
{
    return static_cast<int>(frames / block) + 1;
}

TEST(PracticeTransportTest, HalfTempoPlaysEveryEventTwiceAsLateAndSaysSo)
{
    Session session(songOf({{1, 60, 0, 1}, {1, 62, 1, 1}, {1, 64, 6, 1}}, 8));
    session.settings.tempoPercent.store(50);
    const VstTimeInfo time = session.run(1, {command(HostCommandKind::Play)});
    EXPECT_DOUBLE_EQ(time.tempo, 60.0);
    session.run(blocksFor(2 * 7 * quarterFrames));

    const auto ons = session.noteOns();
    ASSERT_EQ(ons.size(), 3u);
    EXPECT_EQ(ons[0].frame, 0);
    // Within one frame of twice the song's time (blocks cover fractional song frames).
    EXPECT_NEAR(static_cast<double>(ons[1].frame), 2.0 * quarterFrames, 1.0);
    EXPECT_NEAR(static_cast<double>(ons[2].frame), 12.0 * quarterFrames, 1.0);
    EXPECT_EQ(ons[2].bar, 2);

    // Twice as fast: the same song is over in a quarter of the time.
    Session fast(songOf({{1, 60, 0, 1}, {1, 64, 6, 1}}, 8));
    fast.settings.tempoPercent.store(200);
    fast.run(blocksFor(4 * quarterFrames), {command(HostCommandKind::Play)});
    EXPECT_FALSE(fast.transport.isPlaying());
    EXPECT_EQ(fast.transport.songEnds(), 1u);
}

TEST(PracticeTransportTest, OnlyExpectedChannelsReachThePlugInButEveryChannelSounds)
{
    Session session(songOf({{1, 72, 0, 1}, {2, 48, 0, 1}, {16, 72, 0, 1}, {3, 55, 1, 1}}, 2));
    session.settings.expectedChannels.store(1u << 0 | 1u << 2); // channels 1 and 3
    session.settings.playAs.store(16);
    session.run(blocksFor(2 * quarterFrames), {command(HostCommandKind::Play)});

    std::vector<int> reached;
    for (const Played& p : session.noteOns())
        reached.push_back((p.status & 0x0F) + 1);
    EXPECT_EQ(reached, (std::vector<int>{1, 3}));

    int sounded = 0;
    for (const auto& message : session.output.sent)
        sounded += (message[0] & 0xF0) == 0x90 ? 1 : 0;
    EXPECT_EQ(sounded, 4); // the left hand and the recorded player too
}

TEST(PracticeTransportTest, ChangingTheHeardChannelsReportsATransportChange)
{
    Session session(songOf({{1, 60, 0, 4}}, 4));
    session.run(2, {command(HostCommandKind::Play)});
    const size_t before = session.changes.size();
    session.settings.expectedChannels.store(1u << 1);
    session.run(1);
    EXPECT_EQ(session.changes.size(), before + 1);
    session.run(1);
    EXPECT_EQ(session.changes.size(), before + 1);
}

TEST(PracticeTransportTest, ABarLoopStartsAtItsFirstBarAndJumpsBackWithAChange)
{
    // One note at the start of each of four bars.
    Session session(songOf({{1, 60, 0, 1}, {1, 62, 4, 1}, {1, 64, 8, 1}, {1, 65, 12, 1}}, 16));
    session.settings.setLoopBars(2, 3);
    session.run(blocksFor(2 * 2 * barFrames + barFrames / 2), {command(HostCommandKind::Play)});

    std::vector<int> notes;
    for (const Played& p : session.noteOns())
        notes.push_back(p.note);
    EXPECT_EQ(notes, (std::vector<int>{62, 64, 62, 64, 62}));
    EXPECT_TRUE(session.transport.isPlaying());
    EXPECT_EQ(session.transport.songEnds(), 2u);
    // At the start, and once after each pass, in the block that begins at bar 2 again.
    ASSERT_EQ(session.changes.size(), 3u);
    EXPECT_EQ(session.noteOns()[2].frame, session.changes[1]);
    EXPECT_EQ(session.noteOns()[2].bar, 2);

    // The note sounding at the jump was silenced on the output.
    const auto& sent = session.output.sent;
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [](const auto& m) { return m[0] == 0x80 && m[1] == 64; }));
}

TEST(PracticeTransportTest, MovingTheLoopAwayFromWhereTheSongStandsJumps)
{
    Session session(songOf({{1, 60, 0, 1}, {1, 67, 8, 1}}, 12));
    session.run(4, {command(HostCommandKind::Play)});
    EXPECT_EQ(session.transport.songBar(), 1);
    session.settings.setLoopBars(3, 3);
    session.run(2);
    EXPECT_EQ(session.transport.songBar(), 3);
    ASSERT_EQ(session.noteOns().size(), 2u);
    EXPECT_EQ(session.noteOns()[1].note, 67);
}

TEST(PracticeTransportTest, AWaitingSongStandsStillUntilTheWholeChordIsPlayed)
{
    // A chord of two notes on the right hand, the left hand with it, then a single note.
    Session session(songOf({{1, 60, 2, 1}, {1, 64, 2, 1}, {2, 48, 2, 2}, {1, 67, 3, 1}}, 5));
    session.settings.waitForPlayer.store(true);
    session.settings.expectedChannels.store(1u << 0); // the right hand only
    session.run(blocksFor(3 * quarterFrames), {command(HostCommandKind::Play)});

    // Stopped at the chord: it reached the plug-in, nothing after it did.
    EXPECT_EQ(session.transport.playerWait().awaitedNotes(), (std::vector<int>{60, 64}));
    EXPECT_EQ(session.noteOns().size(), 2u);
    EXPECT_EQ(session.transport.songBar(), 1);
    session.run(100);
    EXPECT_EQ(session.noteOns().size(), 2u);

    // A wrong note and half the chord leave it waiting.
    session.run(1, {playerNote(61), playerNote(60)});
    EXPECT_EQ(session.transport.playerWait().awaitedNotes(), (std::vector<int>{64}));
    session.run(50);
    EXPECT_EQ(session.noteOns().size(), 4u); // the player's two
    session.run(1, {playerNote(64)});
    EXPECT_TRUE(session.transport.playerWait().awaitedNotes().empty());

    // On it goes; the left hand sounded but was never waited for.
    const uint32_t waits = session.transport.playerWait().waitsBegun();
    session.run(blocksFor(quarterFrames));
    EXPECT_EQ(session.transport.playerWait().awaitedNotes(), (std::vector<int>{67}));
    EXPECT_EQ(session.transport.playerWait().waitsBegun(), waits + 1);
    const auto& sent = session.output.sent;
    EXPECT_TRUE(std::any_of(sent.begin(), sent.end(), [](const auto& m) { return m[0] == 0x91 && m[1] == 48; }));
}

TEST(PracticeTransportTest, AChordPlayedBeforeTheSongStopsDoesNotCount)
{
    Session session(songOf({{1, 60, 1, 1}}, 2));
    session.settings.waitForPlayer.store(true);
    session.run(1, {command(HostCommandKind::Play), playerNote(60)});
    session.run(blocksFor(quarterFrames));
    EXPECT_EQ(session.transport.playerWait().awaitedNotes(), (std::vector<int>{60}));

    // Switching waiting off lets the song go on by itself.
    session.settings.waitForPlayer.store(false);
    session.run(blocksFor(quarterFrames));
    EXPECT_FALSE(session.transport.isPlaying());
}

TEST(PracticeTransportTest, KeyboardChannelsMoveToTheOnePlayedAs)
{
    EXPECT_EQ(keyboardStatus(0x90, 16), 0x9F);
    EXPECT_EQ(keyboardStatus(0x83, 1), 0x80);
    EXPECT_EQ(keyboardStatus(0xB5, 0), 0xB5); // as sent
    EXPECT_EQ(keyboardStatus(0xF8, 16), 0xF8); // not a channel message
    EXPECT_FALSE(songMessageReachesPlugin(0x9F, allChannels, 16));
    EXPECT_TRUE(songMessageReachesPlugin(0x9F, allChannels, 0));
    EXPECT_FALSE(songMessageReachesPlugin(0x91, 1u, 0));

    PracticeOptions options;
    EXPECT_EQ(playAsChannel(options, true, true), 16);
    EXPECT_EQ(playAsChannel(options, true, false), 0);
    EXPECT_EQ(playAsChannel(options, false, true), 0);
    options.playAs = 3;
    EXPECT_EQ(playAsChannel(options, false, false), 3);
}

} // namespace
