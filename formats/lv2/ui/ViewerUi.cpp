#include "formats/lv2/ui/ViewerUi.h"

#include "editor/ViewerEditorPort.h"
#include "editor/linux/PanelBitmapFiles.h"
#include "formats/lv2/AtomSequences.h"
#include "formats/lv2/Lv2Ports.h"
#include "gui/BitmapFiles.h"

#include <lv2/atom/atom.h>

#include <cmath>
#include <cstring>
#include <new>

namespace {

// One MIDI message as the intake reads a block.
int32_t readOne(const void* source, int32_t first, int32_t count, MidiMessage* messages)
{
    if (first != 0 || count < 1)
        return 0;
    messages[0] = *static_cast<const MidiMessage*>(source);
    return 1;
}

} // namespace

ViewerUi* ViewerUi::create(
    LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    const auto* map = static_cast<const LV2_URID_Map*>(findLv2Feature(features, LV2_URID__map));
    const void* parent = findLv2Feature(features, LV2_UI__parent);
    if (!map || !parent || !write)
        return nullptr;
    setBitmapFiles(panelBitmapFiles);
    ViewerUi* ui = new (std::nothrow) ViewerUi(mapLv2Urids(*map), write, controller);
    if (!ui)
        return nullptr;
    const auto* resize = static_cast<const LV2UI_Resize*>(findLv2Feature(features, LV2_UI__resize));
    if (!ui->open(reinterpret_cast<uintptr_t>(parent), resize)) {
        delete ui;
        return nullptr;
    }
    *widget = reinterpret_cast<LV2UI_Widget>(ui->container.window());
    return ui;
}

ViewerUi::ViewerUi(const Lv2Urids& urids, LV2UI_Write_Function write, LV2UI_Controller controller)
    : core(createViewerEditorPort)
    , urids(urids)
    , write(write)
    , controller(controller)
{
}

ViewerUi::~ViewerUi()
{
    core.closeEditor();
    container.close();
}

bool ViewerUi::open(uintptr_t parent, const LV2UI_Resize* resize)
{
    int32_t width = 0;
    int32_t height = 0;
    if (!core.editorSize(width, height) || !container.open(parent, width, height))
        return false;
    if (!core.openEditor(reinterpret_cast<void*>(container.window())))
        return false;
    if (resize)
        resize->ui_resize(resize->handle, width, height);
    send(urids.viewRequest, nullptr, 0);
    return true;
}

void ViewerUi::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    if (!buffer)
        return;
    if (port == lv2InstrumentPort && format == 0 && size == sizeof(float)) {
        const float value = *static_cast<const float*>(buffer);
        if (std::isfinite(value))
            showInstrument(static_cast<int32_t>(std::lround(value)));
    } else if (port == lv2NotifyPort && format == urids.atomEventTransfer && size >= sizeof(LV2_Atom)) {
        const auto& atom = *static_cast<const LV2_Atom*>(buffer);
        if (atom.size <= size - sizeof(LV2_Atom))
            receive(atom);
    }
}

void ViewerUi::receive(const LV2_Atom& atom)
{
    MidiMessage message;
    if (readMidiMessage(atom, urids.midiEvent, message)) {
        core.receiveMidi({readOne, &message, 1, false});
        return;
    }
    if (atom.type == urids.transportMoved) {
        core.receiveMidi({readOne, nullptr, 0, true});
        return;
    }
    if (atom.type != urids.atomChunk)
        return;
    if (core.restoreView(LV2_ATOM_BODY_CONST(&atom), atom.size)) {
        if (portInstrument >= 0)
            core.selectInstrument(portInstrument);
        ViewerCore::saveView(viewSent);
    }
    pluginAnswered = true;
}

void ViewerUi::showInstrument(int32_t instrument)
{
    if (core.selectInstrument(instrument))
        portInstrument = instrument;
}

int ViewerUi::idle()
{
    core.idleEditor();
    if (!pluginAnswered)
        return 0;
    uint8_t shown[savedViewSize];
    ViewerCore::saveView(shown);
    if (std::memcmp(shown, viewSent, savedViewSize) != 0) {
        send(urids.atomChunk, shown, savedViewSize);
        std::memcpy(viewSent, shown, savedViewSize);
    }
    return 0;
}

void ViewerUi::send(LV2_URID type, const void* body, uint32_t size)
{
    struct {
        LV2_Atom atom;
        uint8_t body[savedViewSize];
    } message{{size, type}, {}};
    if (size > sizeof message.body)
        return;
    if (size > 0)
        std::memcpy(message.body, body, size);
    write(controller, lv2ViewInPort, static_cast<uint32_t>(sizeof(LV2_Atom)) + size, urids.atomEventTransfer, &message);
}

namespace {

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char*, const char*, LV2UI_Write_Function write,
    LV2UI_Controller controller, LV2UI_Widget* widget, const LV2_Feature* const* features)
{
    return ViewerUi::create(write, controller, widget, features);
}

void cleanup(LV2UI_Handle ui)
{
    delete static_cast<ViewerUi*>(ui);
}

void portEvent(LV2UI_Handle ui, uint32_t port, uint32_t size, uint32_t format, const void* buffer)
{
    static_cast<ViewerUi*>(ui)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle ui)
{
    return static_cast<ViewerUi*>(ui)->idle();
}

const void* extensionData(const char* uri)
{
    static const LV2UI_Idle_Interface idleInterface{idle};
    return std::strcmp(uri, LV2_UI__idleInterface) == 0 ? &idleInterface : nullptr;
}

const LV2UI_Descriptor descriptor{lv2UiUri, instantiate, cleanup, portEvent, extensionData};

} // namespace

const LV2UI_Descriptor* viewerUiDescriptor()
{
    return &descriptor;
}
