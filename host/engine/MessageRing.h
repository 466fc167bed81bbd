#pragma once
// Channel messages handed from one thread to one other without a lock: the
// processing thread pushes what a live MIDI output should send, the output's
// own thread pops it and makes the device calls that may block. The slots are
// allocated once, at construction; push and pop never allocate, lock or wait.
// A push that finds the ring full drops the message and counts it, so a
// device that does not keep up costs messages, never the producer's time.
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>

class MessageRing {
public:
    static constexpr uint8_t maxSize = 3; // a channel message's bytes

    struct Message {
        uint8_t size = 0;
        uint8_t bytes[maxSize] = {0, 0, 0};
    };

    // Holds up to `capacity` messages; the slot count is the next power of two.
    explicit MessageRing(size_t capacity)
        : mask(slotsFor(capacity) - 1)
        , slots(std::make_unique<Message[]>(mask + 1))
    {
    }
    MessageRing(const MessageRing&) = delete;
    MessageRing& operator=(const MessageRing&) = delete;

    // Producer thread only. False when the message was dropped: the ring was
    // full (counted) or the message is not 1 to maxSize bytes (not counted:
    // no device call could have sent it).
    bool push(const uint8_t* bytes, uint8_t size)
    {
        if (size == 0 || size > maxSize)
            return false;
        const size_t tail = written.load(std::memory_order_relaxed);
        if (tail - read.load(std::memory_order_acquire) > mask) {
            droppedCount.fetch_add(1, std::memory_order_relaxed);
            return false;
        }
        Message& slot = slots[tail & mask];
        slot.size = size;
        for (uint8_t i = 0; i < size; ++i)
            slot.bytes[i] = bytes[i];
        written.store(tail + 1, std::memory_order_release);
        return true;
    }

    // Consumer thread only. False when the ring is empty.
    bool pop(Message& message)
    {
        const size_t head = read.load(std::memory_order_relaxed);
        if (head == written.load(std::memory_order_acquire))
            return false;
        message = slots[head & mask];
        read.store(head + 1, std::memory_order_release);
        return true;
    }

    // Messages dropped because the ring was full, since the last call.
    size_t takeDropped() { return droppedCount.exchange(0, std::memory_order_relaxed); }

private:
    static size_t slotsFor(size_t capacity)
    {
        size_t slots = 1;
        while (slots < capacity)
            slots <<= 1;
        return slots;
    }

    const size_t mask;
    const std::unique_ptr<Message[]> slots;
    // Apart, so that the producer's and the consumer's stores do not fight over one cache line.
    alignas(64) std::atomic<size_t> written{0};
    alignas(64) std::atomic<size_t> read{0};
    alignas(64) std::atomic<size_t> droppedCount{0};
};
