#pragma once
// The VST 2 plug-in: a MIDI-only instrument with no audio channels, over the
// core (core/ViewerCore.h). Its programs are the core's instruments; what it
// adds is how VST 2 hosts see it: the record's flags and unique ID, the
// buffers hosts hand for names, canDo, and the host's events.
//
// Hosts call program changes and names on any thread, and create and close
// instances on any thread; none of these touches a model (view3d/ModelSwap.h).
#include "core/ViewerCore.h"
#include "framework/EffectBaseExt.h"

#include <cstdint>

// The plug-in's unique ID, 'QARN', by which hosts tell it from other plug-ins
// and match saved projects to it.
constexpr int32_t viewerUniqueId = 0x5141524E;

class ViewerPlugin : public EffectBaseExt {
public:
    // With a null host the channel counts, synth flag and unique ID keep the
    // framework's defaults.
    explicit ViewerPlugin(audioMasterCallback host);
    // The core goes first, then the framework destroys the editor.
    ~ViewerPlugin() override;

    void process(float** inputs, float** outputs, int32_t sampleFrames) override;

    // Selects the core's instrument; a number that is none changes nothing.
    void setProgram(int32_t program) override;
    // Program names are the models' own and cannot be changed.
    void setProgramName(char* name) override;
    // The name of the wanted program, at once, before its model is built.
    void getProgramName(char* name) override;

    void resume() override;
    // effClose: with the diagnostic log on, asks the host for its vendor and
    // product strings and appends the instance's line.
    void close() override;
    // MIDI intake; host processing thread.
    int32_t processEvents(VstEvents* events) override;
    int32_t canDo(char* text) override;

    // How hosts list the plug-in: the core's names and version. Each name fits
    // the smallest buffer hosts hand for it (32 bytes) with its terminator.
    bool getEffectName(char* text) override;
    bool getProductString(char* text) override;
    bool getVendorString(char* text) override;
    int32_t getVendorVersion() override;

private:
    ViewerCore core;
};
