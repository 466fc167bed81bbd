#pragma once
// The LV2 plug-in over the core: one instance per host instantiation. It has
// no editor (the user interface is a library of its own, formats/lv2/ui/,
// with a core of its own), so it hands the user interface what its core
// cannot share with it: every MIDI event it receives, word that the host's
// transport moved, and the saved view.
// The view it saves is the one the user interface last sent it; after a
// restore it sends the restored view to the user interface to show.
//
// Threads as LV2 defines them: run on the processing thread (no allocation,
// lock or wait); save on any thread, also while run runs; everything else
// with the instance to itself.
#include "core/ViewerCore.h"
#include "formats/lv2/AtomTransport.h"
#include "formats/lv2/Lv2Urids.h"
#include "formats/lv2/ViewRecord.h"

#include <lv2/atom/atom.h>
#include <lv2/core/lv2.h>
#include <lv2/state/state.h>

#include <atomic>
#include <cstdint>

class ViewerDsp {
public:
    // Null without the host's URID map, which every atom port needs.
    static ViewerDsp* create(double sampleRate, const LV2_Feature* const* features);
    // Writes the diagnostic line when the log is on (core/DiagnosticLog.h).
    ~ViewerDsp();

    ViewerDsp(const ViewerDsp&) = delete;
    ViewerDsp& operator=(const ViewerDsp&) = delete;

    void connectPort(uint32_t port, void* data);
    void run(uint32_t frames);

    LV2_State_Status save(LV2_State_Store_Function store, LV2_State_Handle handle) const;
    // Refuses, changing nothing, a view of the wrong type or any value that is
    // no whole record of this version (core/SavedView.h).
    LV2_State_Status restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle);

private:
    ViewerDsp(const Lv2Urids& urids, double sampleRate, int32_t blockSize);
    void followInstrument();
    void readViewMessages();
    void forward(LV2_Atom_Sequence* notify, bool transportMoved);

    ViewerCore core;
    const Lv2Urids urids;
    AtomTransport transport{urids};
    const float sampleRate;
    const int32_t blockSize;

    const LV2_Atom_Sequence* midiIn = nullptr;
    const float* instrument = nullptr;
    LV2_Atom_Sequence* notify = nullptr;
    const LV2_Atom_Sequence* viewIn = nullptr;

    int32_t shownInstrument = -1;
    ViewRecord view;
    // The user interface is to be sent the view with the next block: after a
    // restore, when it asks, and at the first block, for a user interface
    // that opened before the plug-in ran.
    std::atomic<bool> viewToSend{true};
};

// The plug-in's descriptor (what lv2_descriptor answers).
const LV2_Descriptor* viewerDspDescriptor();
