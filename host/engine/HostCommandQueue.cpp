#include "host/engine/HostCommandQueue.h"

uint32_t HostCommandQueue::post(HostCommand command)
{
    std::lock_guard<std::mutex> lock(mutex);
    command.ticket = ++lastTicket;
    pending.push_back(command);
    return command.ticket;
}

HostCommand midiCommand(uint8_t status, uint8_t data1, uint8_t data2)
{
    HostCommand command;
    command.kind = HostCommandKind::Midi;
    command.bytes[0] = status;
    command.bytes[1] = data1;
    command.bytes[2] = data2;
    const uint8_t kind = status & 0xF0;
    command.size = (kind == 0xC0 || kind == 0xD0) ? 2 : 3;
    return command;
}

uint32_t HostCommandQueue::postMidi(uint8_t status, uint8_t data1, uint8_t data2)
{
    return post(midiCommand(status, data1, data2));
}

void HostCommandQueue::takeAll(std::vector<HostCommand>& into)
{
    std::lock_guard<std::mutex> lock(mutex);
    into.insert(into.end(), pending.begin(), pending.end());
    pending.clear();
}

void HostCommandQueue::markDone(uint32_t ticket)
{
    doneTicket.store(ticket, std::memory_order_release);
}

bool HostCommandQueue::isDone(uint32_t ticket) const
{
    // Tickets count up and may wrap; compare by distance.
    return static_cast<int32_t>(doneTicket.load(std::memory_order_acquire) - ticket) >= 0;
}
