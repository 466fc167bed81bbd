#pragma once
// The LV2 user interface over a core of its own (the plug-in's core may be in
// another process): the editor in the host's window, driven by the host's
// idle calls. The notes reach this core through the plug-in's notify port
// and its intake, as the host's MIDI reaches the plug-in's; the instrument
// through the instrument port.
//
// The view it shows is the plug-in's to save (formats/lv2/ViewerDsp.h). On
// opening it asks the plug-in for the view the plug-in holds and shows that;
// from then on, at each idle, it sends the plug-in the view whenever it
// changed. Until the plug-in has answered it sends nothing, so a user
// interface opened on a restored project never overwrites the restored view
// with its own.
//
// The instrument port is the one word on the instrument: a view from the
// plug-in shows the instrument the port set last, whatever it says.
//
// Host's user-interface thread only.
#include "core/ViewerCore.h"
#include "formats/lv2/Lv2Urids.h"
#include "formats/lv2/ui/ContainerWindow.h"

#include <lv2/core/lv2.h>
#include <lv2/atom/atom.h>
#include <lv2/ui/ui.h>

#include <cstdint>

class ViewerUi {
public:
    // Null without the host's URID map or parent window, or when the editor
    // could not open.
    static ViewerUi* create(LV2UI_Write_Function write, LV2UI_Controller controller, LV2UI_Widget* widget,
        const LV2_Feature* const* features);
    ~ViewerUi();

    ViewerUi(const ViewerUi&) = delete;
    ViewerUi& operator=(const ViewerUi&) = delete;

    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // The host's periodic call: the editor's idle, then the view sent when it
    // changed. Always 0: the editor has no close button.
    int idle();

private:
    ViewerUi(const Lv2Urids& urids, LV2UI_Write_Function write, LV2UI_Controller controller);
    bool open(uintptr_t parent, const LV2UI_Resize* resize);
    void receive(const LV2_Atom& atom);
    void showInstrument(int32_t instrument);
    void send(LV2_URID type, const void* body, uint32_t size);

    ViewerCore core;
    const Lv2Urids urids;
    const LV2UI_Write_Function write;
    const LV2UI_Controller controller;
    ContainerWindow container;

    bool pluginAnswered = false;
    uint8_t viewSent[savedViewSize] = {};
    int32_t portInstrument = -1;
};

const LV2UI_Descriptor* viewerUiDescriptor();
