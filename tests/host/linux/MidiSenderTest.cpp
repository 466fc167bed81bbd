// A live MIDI output's own thread: the device calls leave the processing
// thread, in order, and a device that stops taking messages costs messages,
// counted, never a wait.
#include "host/linux/MidiSender.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace {

using Message = std::vector<uint8_t>;

// The device: keeps what it is given and on which thread; while held, the
// call that brings a message waits, as a device that blocks would.
class Device {
public:
    MidiSender::Deliver deliver()
    {
        return [this](const uint8_t* bytes, uint8_t size) {
            std::unique_lock<std::mutex> lock(mutex);
            messages.emplace_back(bytes, bytes + size);
            threads.push_back(std::this_thread::get_id());
            changed.notify_all();
            changed.wait(lock, [this] { return !held; });
        };
    }
    void hold()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        held = true;
    }
    void release()
    {
        const std::lock_guard<std::mutex> lock(mutex);
        held = false;
        changed.notify_all();
    }
    void waitFor(size_t count)
    {
        std::unique_lock<std::mutex> lock(mutex);
        changed.wait(lock, [&] { return messages.size() >= count; });
    }

    // Read after the sender stopped.
    std::vector<Message> messages;
    std::vector<std::thread::id> threads;

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
};

void send(MidiSender& sender, const Message& message)
{
    sender.send(message.data(), static_cast<uint8_t>(message.size()));
}

TEST(MidiSenderTest, MessagesReachTheDeviceInOrderOnTheSendersThread)
{
    Device device;
    MidiSender sender;
    std::string error;
    ASSERT_TRUE(sender.start(device.deliver(), error)) << error;
    const std::vector<Message> sent = {{0xC2, 40}, {0x92, 64, 90}, {0x82, 64, 0}};
    for (const Message& message : sent)
        send(sender, message);
    sender.stop();
    EXPECT_EQ(device.messages, sent) << "stop() delivers what is queued";
    for (const std::thread::id thread : device.threads)
        EXPECT_NE(thread, std::this_thread::get_id());

    send(sender, {0x90, 1, 1}); // stopped: goes nowhere
    sender.stop();
    EXPECT_EQ(device.messages.size(), sent.size());
}

TEST(MidiSenderTest, ADeviceThatDoesNotKeepUpCostsMessagesCountedOnce)
{
    Device device;
    MidiSender sender;
    std::string error;
    ASSERT_TRUE(sender.start(device.deliver(), error)) << error;
    device.hold();
    send(sender, {0x90, 0, 1});
    device.waitFor(1); // the sender is in the device's call, the queue empty

    // The queue fills; the sender sends nothing more while the device waits.
    const size_t beyond = 10;
    for (size_t i = 0; i < MidiSender::capacity + beyond; ++i)
        send(sender, {0x91, static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>(i >> 7 & 0x7F)});
    device.release();
    testing::internal::CaptureStderr();
    sender.stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
        "MIDI output: " + std::to_string(beyond) + " messages dropped: the port did not keep up\n");

    ASSERT_EQ(device.messages.size(), 1 + MidiSender::capacity) << "what fitted is kept";
    for (size_t i = 0; i < MidiSender::capacity; ++i) {
        const Message expected = {0x91, static_cast<uint8_t>(i & 0x7F), static_cast<uint8_t>(i >> 7 & 0x7F)};
        if (device.messages[1 + i] != expected) {
            ADD_FAILURE() << "message " << i << " is not the one sent";
            break;
        }
    }

    ASSERT_TRUE(sender.start(device.deliver(), error)) << error;
    send(sender, {0x80, 0, 0});
    testing::internal::CaptureStderr();
    sender.stop();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "") << "a new start counts afresh";
}

} // namespace
