#pragma once
// A stand-in for the learner when a song waits for the player (demos and
// tests): at every wait it lets go of the keys it pressed last and presses
// the awaited ones on channel 16, without a mistake.
#include "host/engine/HostCommandQueue.h"
#include "host/engine/PlayerWait.h"

#include <cstdint>
#include <vector>

class ScriptedPlayer {
public:
    // The messages that answer the song's wait, when one began since the last
    // call; none otherwise.
    std::vector<HostCommand> answer(const PlayerWait& wait);
    // The releases of every key still held.
    std::vector<HostCommand> letGo();

private:
    uint32_t answered = 0;
    std::vector<int> held;
};
