#include "glut/x11/WakeChannel.h"

#include "glut/WindowTable.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <thread>

struct WakeChannel {
    std::atomic<int> descriptor{-1};
    // Threads between reading the descriptor and finishing their write: the
    // descriptor is closed only when there are none.
    std::atomic<int> writers{0};
};

namespace {

// As many as the layer has windows. Only the windows' thread opens and
// closes channels, so taking a free one needs no lock.
WakeChannel channels[maxGlutWindows];

} // namespace

WakeChannel* openWakeChannel()
{
    for (WakeChannel& channel : channels) {
        if (channel.descriptor.load() == -1) {
            const int descriptor = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
            if (descriptor < 0) {
                return nullptr;
            }
            channel.descriptor.store(descriptor);
            return &channel;
        }
    }
    return nullptr;
}

void closeWakeChannel(WakeChannel* channel)
{
    if (channel == nullptr) {
        return;
    }
    // Sequentially consistent on both sides: a writer that still read the
    // old descriptor has already been counted here.
    const int descriptor = channel->descriptor.exchange(-1);
    while (channel->writers.load() != 0) {
        std::this_thread::yield(); // a write takes microseconds
    }
    if (descriptor >= 0) {
        close(descriptor);
    }
}

void wakeChannel(WakeChannel* channel)
{
    if (channel == nullptr) {
        return;
    }
    channel->writers.fetch_add(1);
    const int descriptor = channel->descriptor.load();
    if (descriptor >= 0) {
        const uint64_t one = 1;
        // Non-blocking: a counter that is somehow full is woken already.
        [[maybe_unused]] const ssize_t written = write(descriptor, &one, sizeof one);
    }
    channel->writers.fetch_sub(1);
}

int wakeChannelDescriptor(const WakeChannel* channel)
{
    return channel != nullptr ? channel->descriptor.load() : -1;
}

bool takeChannelWakes(WakeChannel* channel)
{
    const int descriptor = wakeChannelDescriptor(channel);
    uint64_t count = 0;
    return descriptor >= 0 && read(descriptor, &count, sizeof count) == static_cast<ssize_t>(sizeof count);
}
