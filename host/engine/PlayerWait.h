#pragma once
// Waiting for the player, as practice programs do: the song stands still at a
// chord it expects until every note of it has been played on the player's
// channel. The transport drives it on the processing thread; any thread may
// ask what is awaited (a script playing the learner's part does).
#include <atomic>
#include <cstdint>
#include <vector>

class PlayerWait {
public:
    // Processing thread.
    // `chord`: 128 bits, bit n of word n / 32 for note n.
    void begin(const uint32_t chord[4]);
    void notePlayed(int note);
    void cancel();
    bool isWaiting() const { return waiting; }
    // Every awaited note has been played since the wait began.
    bool isAnswered() const;

    // Any thread: the notes still awaited, lowest first (empty when the song
    // is not waiting), and how many waits have begun so far.
    std::vector<int> awaitedNotes() const;
    uint32_t waitsBegun() const { return begun.load(std::memory_order_acquire); }

private:
    bool waiting = false;
    std::atomic<uint32_t> remaining[4] = {};
    std::atomic<uint32_t> begun{0};
};
