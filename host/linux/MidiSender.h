#pragma once
// A live MIDI output's thread of its own. The processing thread must never
// wait, and the device calls may: RtMidi's JACK output spins while its buffer
// is full (as when the JACK server died), its ALSA output writes to the
// sequencer blocking, FluidSynth's note calls take the synthesizer's lock
// against its audio thread. So the processing thread only queues the message
// (MessageRing.h) and wakes this thread through an eventfd, whose write never
// blocks; this thread makes the calls, in the order the messages came.
#include "host/engine/MessageRing.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class MidiSender {
public:
    // The sender's thread: one message of 1 to 3 bytes to the device.
    using Deliver = std::function<void(const uint8_t* bytes, uint8_t size)>;

    // Messages queued before the device must have taken some. The most one
    // block sends is when the song stops or seeks with every note sounding:
    // 16 x 128 note-offs and 16 pedals let go (SongOutput::silence).
    static constexpr size_t capacity = 4096;

    MidiSender() = default;
    ~MidiSender();
    MidiSender(const MidiSender&) = delete;
    MidiSender& operator=(const MidiSender&) = delete;

    // User-interface thread, while the processing thread is stopped. The
    // error says why the thread did not start.
    bool start(Deliver deliver, std::string& error);
    // User-interface thread, while the processing thread is stopped: takes no
    // more messages, lets the thread deliver what is queued, joins it, and
    // says on stderr how many messages were dropped, if any. After it returns
    // nothing reaches `deliver`. Harmless when stopped.
    void stop();

    // Processing thread: never waits. A message that finds the queue full is
    // dropped and counted; while stopped, messages go nowhere.
    void send(const uint8_t* bytes, uint8_t size);

private:
    void run();
    void deliverQueued();

    Deliver deliver;
    std::unique_ptr<MessageRing> ring;
    int wake = -1; // eventfd
    std::atomic<bool> accepting{false};
    std::atomic<bool> stopping{false};
    std::thread thread;
};
