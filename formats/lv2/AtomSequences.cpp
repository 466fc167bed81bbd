#include "formats/lv2/AtomSequences.h"

#include <lv2/atom/util.h>

#include <cstring>

bool readMidiMessage(const LV2_Atom& atom, LV2_URID midiEvent, MidiMessage& message)
{
    if (atom.type != midiEvent || atom.size < 1 || atom.size > 3)
        return false;
    const auto* bytes = static_cast<const unsigned char*>(LV2_ATOM_BODY_CONST(&atom));
    message = {};
    std::memcpy(message.bytes, bytes, atom.size);
    return true;
}

AtomMidiBlock::AtomMidiBlock(const LV2_Atom_Sequence* sequence, LV2_URID midiEvent)
    : sequence(sequence)
    , midiEvent(midiEvent)
{
    if (!sequence)
        return;
    LV2_ATOM_SEQUENCE_FOREACH(sequence, event)
    ++count;
    cursor = lv2_atom_sequence_begin(&sequence->body);
}

MidiMessageBlock AtomMidiBlock::block() const
{
    return {read, this, count, false};
}

const LV2_Atom_Event* AtomMidiBlock::seek(int32_t index) const
{
    if (index < cursorIndex) {
        cursor = lv2_atom_sequence_begin(&sequence->body);
        cursorIndex = 0;
    }
    for (; cursorIndex < index; ++cursorIndex)
        cursor = lv2_atom_sequence_next(cursor);
    return cursor;
}

int32_t AtomMidiBlock::read(const void* source, int32_t first, int32_t count, MidiMessage* messages)
{
    const AtomMidiBlock& block = *static_cast<const AtomMidiBlock*>(source);
    if (first < 0 || count <= 0 || first >= block.count)
        return 0;
    const int32_t end = first + count < block.count ? first + count : block.count;
    const LV2_Atom_Event* event = block.seek(first);
    int32_t written = 0;
    for (int32_t index = first; index < end; ++index) {
        if (readMidiMessage(event->body, block.midiEvent, messages[written]))
            ++written;
        event = lv2_atom_sequence_next(event);
    }
    block.cursor = event;
    block.cursorIndex = end;
    return written;
}

AtomSequenceWriter::AtomSequenceWriter(LV2_Atom_Sequence* sequence, LV2_URID sequenceType)
    : sequence(sequence)
{
    if (!sequence || sequence->atom.size < sizeof(LV2_Atom_Sequence_Body))
        return;
    capacity = sequence->atom.size;
    sequence->atom.type = sequenceType;
    sequence->atom.size = sizeof(LV2_Atom_Sequence_Body);
    sequence->body.unit = 0;
    sequence->body.pad = 0;
}

bool AtomSequenceWriter::append(int64_t frames, LV2_URID type, const void* body, uint32_t size)
{
    if (capacity == 0)
        return false;
    const uint64_t room = capacity - sequence->atom.size;
    if (lv2_atom_pad_size(static_cast<uint32_t>(sizeof(LV2_Atom_Event)) + size) > room)
        return false;
    LV2_Atom_Event* event = lv2_atom_sequence_end(&sequence->body, sequence->atom.size);
    event->time.frames = frames;
    event->body.type = type;
    event->body.size = size;
    if (size > 0)
        std::memcpy(event + 1, body, size);
    sequence->atom.size += lv2_atom_pad_size(static_cast<uint32_t>(sizeof(LV2_Atom_Event)) + size);
    return true;
}
