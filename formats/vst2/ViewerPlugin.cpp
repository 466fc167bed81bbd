#include "formats/vst2/ViewerPlugin.h"

#include "formats/vst2/VstEventBlock.h"

#include <cstring>

namespace {
// Hosts hand program-name buffers of at least this size.
constexpr int programNameCapacity = 24;
// ... and effect-name buffers of at least this size; vendor and product
// buffers are larger, so one limit serves all three names.
constexpr size_t nameCapacity = 32;
static_assert(sizeof ViewerCore::productName <= nameCapacity && sizeof ViewerCore::vendorName <= nameCapacity,
    "names fit the host's buffer");

bool copyName(char* text, const char* name)
{
    std::strncpy(text, name, nameCapacity - 1);
    text[nameCapacity - 1] = '\0';
    return true;
}
} // namespace

ViewerPlugin::ViewerPlugin(audioMasterCallback host)
    : EffectBaseExt(host, ViewerCore::instrumentCount, 0)
{
    if (host) {
        setInputCount(0);
        setOutputCount(0);
        setIsSynth(true);
        effect.uniqueID = viewerUniqueId;
    }
}

ViewerPlugin::~ViewerPlugin() = default;

void ViewerPlugin::process(float**, float**, int32_t)
{
}

void ViewerPlugin::setProgram(int32_t program)
{
    if (core.selectInstrument(program))
        currentProgram = program;
}

void ViewerPlugin::setProgramName(char*)
{
}

void ViewerPlugin::getProgramName(char* name)
{
    if (name)
        ViewerCore::instrumentName(ViewerCore::selectedInstrument(), name, programNameCapacity);
}

void ViewerPlugin::resume()
{
    wantMidi(1);
}

void ViewerPlugin::close()
{
    if (!core.logsAtClose())
        return;
    // Zeroed, and the host's answer trusted only when it says it wrote one.
    char vendor[hostStringCapacity] = {};
    char product[hostStringCapacity] = {};
    if (!getHostVendorString(vendor))
        vendor[0] = '\0';
    if (!getHostProductString(product))
        product[0] = '\0';
    core.writeDiagnosticLine({vendor, product, sampleRate, blockSize});
}

int32_t ViewerPlugin::processEvents(VstEvents* events)
{
    core.receiveMidi(vstMidiBlock(events, getTime(1)));
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
    return copyName(text, ViewerCore::productName);
}

bool ViewerPlugin::getProductString(char* text)
{
    return copyName(text, ViewerCore::productName);
}

bool ViewerPlugin::getVendorString(char* text)
{
    return copyName(text, ViewerCore::vendorName);
}

int32_t ViewerPlugin::getVendorVersion()
{
    return ViewerCore::versionNumber();
}
