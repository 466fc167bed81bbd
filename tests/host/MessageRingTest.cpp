// The ring that hands a live MIDI output's messages from the processing
// thread to the output's own thread.
#include "host/engine/MessageRing.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

bool push(MessageRing& ring, const Bytes& bytes)
{
    return ring.push(bytes.data(), static_cast<uint8_t>(bytes.size()));
}

std::vector<Bytes> drain(MessageRing& ring)
{
    std::vector<Bytes> popped;
    MessageRing::Message message;
    while (ring.pop(message))
        popped.emplace_back(message.bytes, message.bytes + message.size);
    return popped;
}

TEST(MessageRingTest, MessagesComeOutInOrderWithTheirOwnSizes)
{
    MessageRing ring(8);
    EXPECT_TRUE(drain(ring).empty());
    EXPECT_TRUE(push(ring, {0xC2, 40}));
    EXPECT_TRUE(push(ring, {0x92, 64, 90}));
    EXPECT_FALSE(push(ring, {})) << "not a message";
    EXPECT_FALSE(push(ring, {0xF0, 0x7E, 0x7F, 0xF7})) << "longer than a channel message";
    EXPECT_TRUE(push(ring, {0xFE}));
    EXPECT_EQ(drain(ring), (std::vector<Bytes>{{0xC2, 40}, {0x92, 64, 90}, {0xFE}}));
    EXPECT_TRUE(drain(ring).empty());
    EXPECT_EQ(ring.takeDropped(), 0u) << "refused, not dropped for want of room";
}

TEST(MessageRingTest, AFullRingDropsTheNewestAndCountsThem)
{
    MessageRing ring(4);
    for (uint8_t note = 0; note < 4; ++note)
        EXPECT_TRUE(push(ring, {0x90, note, 1}));
    EXPECT_FALSE(push(ring, {0x90, 4, 1}));
    EXPECT_FALSE(push(ring, {0x90, 5, 1}));
    EXPECT_EQ(ring.takeDropped(), 2u);
    EXPECT_EQ(ring.takeDropped(), 0u) << "each drop is reported once";

    EXPECT_EQ(drain(ring), (std::vector<Bytes>{{0x90, 0, 1}, {0x90, 1, 1}, {0x90, 2, 1}, {0x90, 3, 1}}))
        << "what was queued before the ring filled is kept";
    EXPECT_TRUE(push(ring, {0x80, 0, 0})) << "room again once the consumer took the messages";
    EXPECT_EQ(ring.takeDropped(), 0u);
}

TEST(MessageRingTest, SlotsAreReusedAroundTheEnd)
{
    MessageRing ring(4);
    std::vector<Bytes> popped;
    for (uint8_t round = 0; round < 10; ++round) {
        // Three at a time into four slots: every round starts at another slot.
        for (uint8_t i = 0; i < 3; ++i)
            ASSERT_TRUE(push(ring, {0x90, static_cast<uint8_t>(round * 3 + i), 1}));
        for (Bytes& message : drain(ring))
            popped.push_back(std::move(message));
    }
    ASSERT_EQ(popped.size(), 30u);
    for (uint8_t i = 0; i < 30; ++i)
        EXPECT_EQ(popped[i], (Bytes{0x90, i, 1}));
    EXPECT_EQ(ring.takeDropped(), 0u);
}

// The producer waits for room itself, so nothing is dropped: the consumer,
// on a thread of its own, must see every message once and in order.
TEST(MessageRingTest, AConsumerThreadSeesEveryMessageInOrder)
{
    constexpr int count = 200000;
    MessageRing ring(64);
    std::vector<int> seen;
    seen.reserve(count);
    std::thread consumer([&ring, &seen] {
        MessageRing::Message message;
        while (seen.size() < static_cast<size_t>(count)) {
            if (!ring.pop(message)) {
                std::this_thread::yield();
                continue;
            }
            // A message's size and all its bytes arrive with it.
            if (message.size != 3 || message.bytes[0] != 0x90)
                seen.push_back(-1);
            else
                seen.push_back(message.bytes[1] << 7 | message.bytes[2]);
        }
    });
    for (int i = 0; i < count; ++i) {
        const uint8_t bytes[] = {0x90, static_cast<uint8_t>(i >> 7 & 0x7F), static_cast<uint8_t>(i & 0x7F)};
        while (!ring.push(bytes, sizeof bytes)) {
            ring.takeDropped();
            std::this_thread::yield();
        }
    }
    consumer.join();

    ASSERT_EQ(seen.size(), static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        if (seen[i] != (i & 0x3FFF)) {
            ADD_FAILURE() << "message " << i << " arrived as " << seen[i];
            break;
        }
    }
}

} // namespace
