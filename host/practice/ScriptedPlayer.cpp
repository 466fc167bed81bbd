#include "host/practice/ScriptedPlayer.h"

#include "host/engine/PracticeSettings.h"

namespace {
constexpr uint8_t velocity = 90;
constexpr uint8_t noteOn = 0x90 | (playerChannel - 1);
constexpr uint8_t noteOff = 0x80 | (playerChannel - 1);
} // namespace

std::vector<HostCommand> ScriptedPlayer::answer(const PlayerWait& wait)
{
    const uint32_t begun = wait.waitsBegun();
    if (begun == answered)
        return {};
    answered = begun;
    const std::vector<int> notes = wait.awaitedNotes();
    if (notes.empty())
        return {};
    std::vector<HostCommand> commands = letGo();
    for (int note : notes) {
        commands.push_back(midiCommand(noteOn, static_cast<uint8_t>(note), velocity));
        held.push_back(note);
    }
    return commands;
}

std::vector<HostCommand> ScriptedPlayer::letGo()
{
    std::vector<HostCommand> commands;
    for (int note : held)
        commands.push_back(midiCommand(noteOff, static_cast<uint8_t>(note), 0));
    held.clear();
    return commands;
}
