#include "host/linux/MidiSender.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace {

std::string cannotStart(const char* why)
{
    return std::string("cannot start its sending thread (") + why + ")";
}

} // namespace

MidiSender::~MidiSender()
{
    stop();
}

bool MidiSender::start(Deliver to, std::string& error)
{
    stop();
    wake = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (wake < 0) {
        error = cannotStart(std::strerror(errno));
        return false;
    }
    deliver = std::move(to);
    ring = std::make_unique<MessageRing>(capacity);
    stopping.store(false);
    try {
        thread = std::thread(&MidiSender::run, this);
    } catch (const std::system_error& failure) {
        error = cannotStart(failure.what());
        close(wake);
        wake = -1;
        ring.reset();
        deliver = nullptr;
        return false;
    }
    accepting.store(true);
    return true;
}

void MidiSender::stop()
{
    if (!thread.joinable())
        return;
    accepting.store(false);
    stopping.store(true, std::memory_order_release);
    const uint64_t one = 1;
    (void)!write(wake, &one, sizeof one);
    thread.join();
    if (const size_t dropped = ring->takeDropped())
        std::fprintf(stderr, "MIDI output: %zu messages dropped: the port did not keep up\n", dropped);
    close(wake);
    wake = -1;
    ring.reset();
    deliver = nullptr;
}

void MidiSender::send(const uint8_t* bytes, uint8_t size)
{
    if (!accepting.load(std::memory_order_acquire) || !ring->push(bytes, size))
        return;
    const uint64_t one = 1;
    (void)!write(wake, &one, sizeof one);
}

void MidiSender::run()
{
    for (;;) {
        pollfd ready{wake, POLLIN, 0};
        if (poll(&ready, 1, -1) < 0 && errno != EINTR)
            break;
        uint64_t wakes = 0;
        (void)!read(wake, &wakes, sizeof wakes);
        deliverQueued();
        // What was queued before stop() is in the ring by now: stopping is
        // stored after the last push, and read after it here.
        if (stopping.load(std::memory_order_acquire)) {
            deliverQueued();
            return;
        }
    }
}

void MidiSender::deliverQueued()
{
    MessageRing::Message message;
    while (ring->pop(message))
        deliver(message.bytes, message.size);
}
