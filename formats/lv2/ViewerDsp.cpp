#include "formats/lv2/ViewerDsp.h"

#include "formats/lv2/AtomSequences.h"
#include "formats/lv2/Lv2Ports.h"

#include <lv2/atom/util.h>
#include <lv2/options/options.h>

#include <cmath>
#include <cstring>
#include <new>

namespace {

// The block size the host states in its options, the usual one before the
// largest; 0 when it states neither.
int32_t blockSizeOf(const LV2_Options_Option* options, const Lv2Urids& urids)
{
    int32_t nominal = 0;
    int32_t largest = 0;
    for (; options && options->key != 0; ++options) {
        if (options->type != urids.atomInt || options->size != sizeof(int32_t) || !options->value)
            continue;
        const int32_t value = *static_cast<const int32_t*>(options->value);
        if (options->key == urids.nominalBlockLength)
            nominal = value;
        else if (options->key == urids.maxBlockLength)
            largest = value;
    }
    return nominal > 0 ? nominal : largest;
}

} // namespace

ViewerDsp* ViewerDsp::create(double sampleRate, const LV2_Feature* const* features)
{
    const auto* map = static_cast<const LV2_URID_Map*>(findLv2Feature(features, LV2_URID__map));
    if (!map)
        return nullptr;
    const Lv2Urids urids = mapLv2Urids(*map);
    const auto* options = static_cast<const LV2_Options_Option*>(findLv2Feature(features, LV2_OPTIONS__options));
    return new (std::nothrow) ViewerDsp(urids, sampleRate, blockSizeOf(options, urids));
}

ViewerDsp::ViewerDsp(const Lv2Urids& urids, double sampleRate, int32_t blockSize)
    : urids(urids)
    , sampleRate(static_cast<float>(sampleRate))
    , blockSize(blockSize)
{
    // The view it saves until its user interface sends one.
    uint8_t bytes[savedViewSize];
    ViewerCore::saveView(bytes);
    view.store(bytes);
}

ViewerDsp::~ViewerDsp()
{
    // LV2 tells a plug-in nothing of its host's name.
    if (core.logsAtClose())
        core.writeDiagnosticLine({"", "", sampleRate, blockSize});
}

void ViewerDsp::connectPort(uint32_t port, void* data)
{
    switch (port) {
    case lv2MidiInPort: midiIn = static_cast<const LV2_Atom_Sequence*>(data); break;
    case lv2InstrumentPort: instrument = static_cast<const float*>(data); break;
    case lv2NotifyPort: notify = static_cast<LV2_Atom_Sequence*>(data); break;
    case lv2ViewInPort: viewIn = static_cast<const LV2_Atom_Sequence*>(data); break;
    default: break;
    }
}

void ViewerDsp::run(uint32_t frames)
{
    followInstrument();
    readViewMessages();
    const bool transportMoved = transport.moved(midiIn, frames);
    AtomMidiBlock midi(midiIn, urids.midiEvent);
    MidiMessageBlock block = midi.block();
    block.transportChanged = transportMoved;
    core.receiveMidiSkippingEmpty(block);
    forward(notify, transportMoved);
}

void ViewerDsp::followInstrument()
{
    if (!instrument || !std::isfinite(*instrument))
        return;
    const auto wanted = static_cast<int32_t>(std::lround(*instrument));
    if (wanted != shownInstrument && core.selectInstrument(wanted))
        shownInstrument = wanted;
}

void ViewerDsp::readViewMessages()
{
    if (!viewIn)
        return;
    LV2_ATOM_SEQUENCE_FOREACH(viewIn, event)
    {
        SavedView unused;
        if (event->body.type == urids.viewRequest) {
            viewToSend.store(true, std::memory_order_relaxed);
        } else if (event->body.type == urids.atomChunk &&
            readSavedView(LV2_ATOM_BODY_CONST(&event->body), event->body.size, unused)) {
            view.store(*static_cast<const uint8_t(*)[savedViewSize]>(LV2_ATOM_BODY_CONST(&event->body)));
        }
    }
}

void ViewerDsp::forward(LV2_Atom_Sequence* sequence, bool transportMoved)
{
    AtomSequenceWriter writer(sequence, urids.atomSequence);
    if (viewToSend.load(std::memory_order_relaxed)) {
        uint8_t bytes[savedViewSize];
        view.load(bytes);
        // Sent again with the next block when there is no room in this one.
        if (writer.append(0, urids.atomChunk, bytes, savedViewSize))
            viewToSend.store(false, std::memory_order_relaxed);
    }
    // Before the block's notes, which the user interface then holds anew.
    if (transportMoved)
        writer.append(0, urids.transportMoved, nullptr, 0);
    if (!midiIn)
        return;
    MidiMessage unused;
    LV2_ATOM_SEQUENCE_FOREACH(midiIn, event)
    {
        // A block with more MIDI than the port holds loses the rest: the
        // user interface misses those notes, the count here does not.
        if (readMidiMessage(event->body, urids.midiEvent, unused) &&
            !writer.append(event->time.frames, event->body.type, &event->body + 1, event->body.size))
            break;
    }
}

LV2_State_Status ViewerDsp::save(LV2_State_Store_Function store, LV2_State_Handle handle) const
{
    uint8_t bytes[savedViewSize];
    view.load(bytes);
    return store(
        handle, urids.viewProperty, bytes, savedViewSize, urids.atomChunk, LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status ViewerDsp::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    size_t size = 0;
    uint32_t type = 0;
    uint32_t flags = 0;
    const void* value = retrieve(handle, urids.viewProperty, &size, &type, &flags);
    if (!value)
        return LV2_STATE_ERR_NO_PROPERTY;
    if (type != urids.atomChunk)
        return LV2_STATE_ERR_BAD_TYPE;
    SavedView unused;
    if (!readSavedView(value, size, unused))
        return LV2_STATE_ERR_UNKNOWN;
    view.store(*static_cast<const uint8_t(*)[savedViewSize]>(value));
    viewToSend.store(true, std::memory_order_relaxed);
    return LV2_STATE_SUCCESS;
}

namespace {

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*, const LV2_Feature* const* features)
{
    return ViewerDsp::create(sampleRate, features);
}

void connectPort(LV2_Handle instance, uint32_t port, void* data)
{
    static_cast<ViewerDsp*>(instance)->connectPort(port, data);
}

void run(LV2_Handle instance, uint32_t frames)
{
    static_cast<ViewerDsp*>(instance)->run(frames);
}

void cleanup(LV2_Handle instance)
{
    delete static_cast<ViewerDsp*>(instance);
}

LV2_State_Status save(
    LV2_Handle instance, LV2_State_Store_Function store, LV2_State_Handle handle, uint32_t, const LV2_Feature* const*)
{
    return static_cast<const ViewerDsp*>(instance)->save(store, handle);
}

LV2_State_Status restore(LV2_Handle instance, LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle, uint32_t,
    const LV2_Feature* const*)
{
    return static_cast<ViewerDsp*>(instance)->restore(retrieve, handle);
}

const void* extensionData(const char* uri)
{
    static const LV2_State_Interface state{save, restore};
    return std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}

const LV2_Descriptor descriptor{lv2PluginUri, instantiate, connectPort, nullptr, run, nullptr, cleanup, extensionData};

} // namespace

const LV2_Descriptor* viewerDspDescriptor()
{
    return &descriptor;
}
