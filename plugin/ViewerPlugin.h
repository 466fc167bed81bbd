#pragma once
// The plug-in: a MIDI-only instrument with no audio channels that shows the
// sounding notes on a 3-D instrument. Its five programs choose the instrument.
// Its only state of its own is its diagnostic log (plugin/DiagnosticLog.h):
// the note table, the practice state, the view state and the current model
// are process-wide and shared by every instance.
//
// Hosts call program changes and names on any thread, and create and close
// instances on any thread; none of these touches a model (view3d/ModelSwap.h).
#include "framework/EffectBaseExt.h"
#include "plugin/DiagnosticLog.h"

#include <cstdint>

// The plug-in's unique ID, 'QARN', by which hosts tell it from other plug-ins
// and match saved projects to it.
constexpr int32_t viewerUniqueId = 0x5141524E;

class ViewerPlugin : public EffectBaseExt {
public:
    // With a null host the channel counts, synth flag and unique ID keep the
    // framework's defaults. Counts the instance in.
    explicit ViewerPlugin(audioMasterCallback host);
    // The last instance alive frees the current model; any other leaves the
    // survivors' instrument as it is. Then the framework destroys the editor.
    ~ViewerPlugin() override;

    void process(float** inputs, float** outputs, int32_t sampleFrames) override;

    // Records program 0..4 as the wanted one and asks the view to redraw; the
    // user-interface thread swaps its model in before the next frame. Any
    // other number changes nothing.
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

    // How hosts list the plug-in: "Qarn Viewer" by "Qarn", and the release
    // version as one number (plugin/ReleaseVersion.h). Each name fits the
    // smallest buffer hosts hand for it (32 bytes) with its terminator.
    bool getEffectName(char* text) override;
    bool getProductString(char* text) override;
    bool getVendorString(char* text) override;
    int32_t getVendorVersion() override;

private:
    DiagnosticLog diagnosticLog;
};
