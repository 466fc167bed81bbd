#include "formats/lv2/AtomTransport.h"

#include <lv2/atom/util.h>

#include <cmath>

namespace {

// A number of any of the types hosts write into a position; false for any
// other atom, or one too short for its type.
bool numberOf(const LV2_Atom* atom, const Lv2Urids& urids, double& value)
{
    if (!atom)
        return false;
    if (atom->type == urids.atomFloat && atom->size >= sizeof(float))
        value = reinterpret_cast<const LV2_Atom_Float*>(atom)->body;
    else if (atom->type == urids.atomDouble && atom->size >= sizeof(double))
        value = reinterpret_cast<const LV2_Atom_Double*>(atom)->body;
    else if (atom->type == urids.atomLong && atom->size >= sizeof(int64_t))
        value = static_cast<double>(reinterpret_cast<const LV2_Atom_Long*>(atom)->body);
    else if (atom->type == urids.atomInt && atom->size >= sizeof(int32_t))
        value = reinterpret_cast<const LV2_Atom_Int*>(atom)->body;
    else
        return false;
    return std::isfinite(value);
}

// Beyond any timeline a host keeps, in frames; a position outside it is none.
constexpr double farthestFrame = 9.0e15;
// Beyond any block; an event said to lie further in is read at its start.
constexpr int64_t latestEventFrame = int64_t{1} << 30;

} // namespace

bool AtomTransport::readPosition(const LV2_Atom_Sequence& sequence, TransportPosition& found) const
{
    bool read = false;
    LV2_ATOM_SEQUENCE_FOREACH(&sequence, event)
    {
        const LV2_Atom& body = event->body;
        if ((body.type != urids.atomObject && body.type != urids.atomBlank) || body.size < sizeof(LV2_Atom_Object_Body))
            continue;
        const auto* object = reinterpret_cast<const LV2_Atom_Object*>(&body);
        if (object->body.otype != urids.timePosition)
            continue;
        const LV2_Atom* speed = nullptr;
        const LV2_Atom* frame = nullptr;
        lv2_atom_object_get(object, urids.timeSpeed, &speed, urids.timeFrame, &frame, 0);
        double value = 0.0;
        // A position that leaves out the speed keeps the last one.
        TransportPosition position = read ? found : this->position;
        if (numberOf(speed, urids, value))
            position.playing = value != 0.0;
        position.known = numberOf(frame, urids, value) && std::fabs(value) < farthestFrame;
        // Told for a frame inside the block: where the block started.
        const int64_t offset = event->time.frames > 0 && event->time.frames < latestEventFrame ? event->time.frames : 0;
        if (position.known)
            position.sample = std::llround(value) - offset;
        found = position;
        read = true;
    }
    return read;
}

bool AtomTransport::moved(const LV2_Atom_Sequence* sequence, uint32_t frames)
{
    if (sequence && readPosition(*sequence, position))
        told = true;
    if (!told)
        return false;
    const bool moved = watch.moved(position, frames);
    if (position.playing)
        position.sample += frames;
    return moved;
}
