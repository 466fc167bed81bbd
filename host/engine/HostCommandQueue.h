#pragma once
// What the user-interface thread (and the MIDI input callback) asks of the
// processing thread: live MIDI messages and transport moves. Each command gets
// a ticket; the processing thread marks a ticket done once the block that
// carried the command has been handed to the plug-in, so a script can wait for
// "the plug-in has seen this note" before it looks at the screen.
#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

enum class HostCommandKind {
    Midi, // one channel message, sent at the start of the next block
    Play, // start the song from its beginning
    Stop, // stop the song where it is
    Jump, // report a transport change without moving (as a host does after a locate)
    Block, // nothing: done once the next block has reached the plug-in, for a change it takes there
};

struct HostCommand {
    HostCommandKind kind = HostCommandKind::Midi;
    uint8_t bytes[3] = {0, 0, 0};
    uint8_t size = 0;
    uint32_t ticket = 0;
};

// A channel message as a command; program change and channel pressure carry one data byte.
HostCommand midiCommand(uint8_t status, uint8_t data1, uint8_t data2);

class HostCommandQueue {
public:
    // Any thread. Answers the command's ticket.
    uint32_t post(HostCommand command);
    uint32_t postMidi(uint8_t status, uint8_t data1, uint8_t data2);

    // Processing thread: moves every pending command, in posting order, to `into`.
    void takeAll(std::vector<HostCommand>& into);
    // Processing thread: everything up to this ticket has reached the plug-in.
    void markDone(uint32_t ticket);

    bool isDone(uint32_t ticket) const;

private:
    std::mutex mutex;
    std::vector<HostCommand> pending;
    uint32_t lastTicket = 0;
    std::atomic<uint32_t> doneTicket{0};
};
