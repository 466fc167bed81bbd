#pragma once
// The plug-in: a MIDI-only instrument with no audio channels that shows the
// sounding notes on a 3-D instrument. Its five programs choose the instrument.
// It adds no fields: the note table, the practice state, the view state and
// the current model are process-wide and shared by every instance.
#include "framework/EffectBaseExt.h"

class ViewerPlugin : public EffectBaseExt {
public:
    // With a null host the channel counts, synth flag and unique ID keep the
    // framework's defaults.
    explicit ViewerPlugin(audioMasterCallback host);
    // Destroys the current model, then the framework destroys the editor.
    ~ViewerPlugin() override;

    void process(float** inputs, float** outputs, int32_t sampleFrames) override;

    // Builds the model of programs 0..4 and asks the view to redraw. Any other
    // number changes nothing, so the shown model never dangles.
    void setProgram(int32_t program) override;
    // Program names are the models' own and cannot be changed.
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;

    void resume() override;
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
};
