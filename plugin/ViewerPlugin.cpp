#include "plugin/ViewerPlugin.h"

#include "state/CurrentModel.h"
#include "intake/MidiIntake.h"
#include "plugin/Programs.h"
#include "state/RedrawRequest.h"
#include "plugin/ReleaseVersion.h"
#include "view3d/ModelSwap.h"

#include <cstring>

namespace {
// Hosts hand program-name buffers of at least this size.
constexpr int programNameCapacity = 24;
// ... and effect-name buffers of at least this size; vendor and product
// buffers are larger, so one limit serves all three names.
constexpr size_t nameCapacity = 32;
constexpr char productName[] = "Qarn Viewer";
constexpr char vendorName[] = "Qarn";
static_assert(sizeof productName <= nameCapacity && sizeof vendorName <= nameCapacity, "names fit the host's buffer");

bool copyName(char* text, const char* name)
{
    std::strncpy(text, name, nameCapacity - 1);
    text[nameCapacity - 1] = '\0';
    return true;
}
} // namespace

ViewerPlugin::ViewerPlugin(audioMasterCallback host)
    : EffectBaseExt(host, viewerProgramCount, 0)
{
    modelSelection.liveInstances.fetch_add(1, std::memory_order_acq_rel);
    setProgramModelBuilder(buildProgramModel);
    if (host) {
        setInputCount(0);
        setOutputCount(0);
        setIsSynth(true);
        effect.uniqueID = viewerUniqueId;
    }
}

ViewerPlugin::~ViewerPlugin()
{
    if (modelSelection.liveInstances.fetch_sub(1, std::memory_order_acq_rel) == 1)
        releaseCurrentModel();
}

void ViewerPlugin::process(float**, float**, int32_t)
{
}

void ViewerPlugin::setProgram(int32_t program)
{
    if (program < 0 || program >= viewerProgramCount)
        return;
    currentProgram = program;
    modelSelection.wantedProgram.store(program, std::memory_order_release);
    requestRedisplay();
}

void ViewerPlugin::setProgramName(char*)
{
}

void ViewerPlugin::getProgramName(char* name)
{
    if (name)
        copyProgramName(modelSelection.wantedProgram.load(std::memory_order_acquire), name, programNameCapacity);
}

void ViewerPlugin::resume()
{
    wantMidi(1);
}

void ViewerPlugin::close()
{
    if (!diagnosticLog.enabled())
        return;
    // Zeroed, and the host's answer trusted only when it says it wrote one.
    char vendor[hostStringCapacity] = {};
    char product[hostStringCapacity] = {};
    if (!getHostVendorString(vendor))
        vendor[0] = '\0';
    if (!getHostProductString(product))
        product[0] = '\0';
    diagnosticLog.append({vendor, product, sampleRate, blockSize});
}

int32_t ViewerPlugin::processEvents(VstEvents* events)
{
    diagnosticLog.countBlock(receiveMidiBlock(events, getTime(1)));
    return 1;
}

int32_t ViewerPlugin::canDo(char* text)
{
    static const char* const answersYes[] = {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo"};
    if (text) {
        for (const char* yes : answersYes) {
            if (std::strcmp(text, yes) == 0)
                return 1;
        }
    }
    return -1;
}

bool ViewerPlugin::getEffectName(char* text)
{
    return copyName(text, productName);
}

bool ViewerPlugin::getProductString(char* text)
{
    return copyName(text, productName);
}

bool ViewerPlugin::getVendorString(char* text)
{
    return copyName(text, vendorName);
}

int32_t ViewerPlugin::getVendorVersion()
{
    return releaseVersionNumber(releaseMajor, releaseMinor, releasePatch);
}
