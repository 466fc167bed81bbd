#include "core/ViewerCore.h"

#include "core/ReleaseVersion.h"
#include "state/CurrentModel.h"
#include "state/PracticeState.h"
#include "state/RedrawRequest.h"
#include "view3d/ModelSwap.h"
#include "view3d/ViewState.h"

#include <cstdlib>
#include <cstring>

int32_t ViewerCore::versionNumber()
{
    return releaseVersionNumber(releaseMajor, releaseMinor, releasePatch);
}

const char* ViewerCore::versionText()
{
    return releaseVersionText;
}

ViewerCore::ViewerCore(EditorPortMaker makeEditor)
    : editor(makeEditor ? makeEditor() : nullptr)
{
    modelSelection.liveInstances.fetch_add(1, std::memory_order_acq_rel);
    setProgramModelBuilder(buildProgramModel);
    // The library loads with no instrument chosen, and a CLAP or LV2 host
    // that leaves the parameter at its default never names one: the first
    // instance starts on the default, and later ones keep what was chosen.
    int32_t none = noProgram;
    if (modelSelection.wantedProgram.compare_exchange_strong(none, defaultInstrument, std::memory_order_acq_rel))
        requestRedisplay();
}

ViewerCore::~ViewerCore()
{
    closeEditor();
    editor.reset();
    if (modelSelection.liveInstances.fetch_sub(1, std::memory_order_acq_rel) == 1)
        releaseCurrentModel();
}

bool ViewerCore::selectInstrument(int32_t instrument)
{
    if (instrument < 0 || instrument >= instrumentCount)
        return false;
    modelSelection.wantedProgram.store(instrument, std::memory_order_release);
    requestRedisplay();
    return true;
}

int32_t ViewerCore::selectedInstrument()
{
    return modelSelection.wantedProgram.load(std::memory_order_acquire);
}

void ViewerCore::instrumentName(int32_t instrument, char* name, int capacity)
{
    copyProgramName(instrument, name, capacity);
}

int32_t ViewerCore::instrumentOfText(const char* text)
{
    if (!text)
        return -1;
    constexpr int nameCapacity = 64;
    for (int32_t instrument = 0; instrument < instrumentCount; ++instrument) {
        char name[nameCapacity];
        instrumentName(instrument, name, nameCapacity);
        if (std::strcmp(text, name) == 0)
            return instrument;
    }
    char* end = nullptr;
    const long number = std::strtol(text, &end, 10);
    return end == text || *end != '\0' || number < 0 || number >= instrumentCount ? -1 : static_cast<int32_t>(number);
}

void ViewerCore::saveView(uint8_t (&bytes)[savedViewSize])
{
    SavedView view;
    view.instrument = selectedInstrument();
    view.angleX = viewState.angleX;
    view.angleY = viewState.angleY;
    view.spinAngle = viewState.spinAngle;
    view.zoom = viewState.zoom;
    view.autoRotate = viewState.autoRotate;
    view.showKeyColour = viewState.showKeyColour;
    view.showKeyMotion = viewState.showKeyMotion;
    view.showLinkedKeys = viewState.showLinkedKeys;
    view.scoringRule = practice.scoringRule.load(std::memory_order_relaxed);
    writeSavedView(view, bytes);
}

bool ViewerCore::restoreView(const void* bytes, size_t size)
{
    SavedView view;
    if (!readSavedView(bytes, size, view))
        return false;
    viewState.angleX = view.angleX;
    viewState.angleY = view.angleY;
    viewState.spinAngle = view.spinAngle;
    viewState.zoom = view.zoom;
    viewState.autoRotate = view.autoRotate;
    viewState.showKeyColour = view.showKeyColour;
    viewState.showKeyMotion = view.showKeyMotion;
    viewState.showLinkedKeys = view.showLinkedKeys;
    if (practice.scoringRule.load(std::memory_order_relaxed) != view.scoringRule) {
        practice.scoringRule.store(view.scoringRule, std::memory_order_relaxed);
        startPracticeRun();
    }
    selectInstrument(view.instrument);
    return true;
}

void ViewerCore::receiveMidi(const MidiMessageBlock& block)
{
    diagnosticLog.countBlock(receiveMidiBlock(block));
}

void ViewerCore::receiveMidiSkippingEmpty(const MidiMessageBlock& block)
{
    if (block.count > 0 || block.transportChanged)
        receiveMidi(block);
}

bool ViewerCore::openEditor(void* parentWindow)
{
    if (!editor)
        return false;
    closeEditor();
    editorOpen = editor->open(parentWindow);
    return editorOpen;
}

void ViewerCore::idleEditor()
{
    if (editorOpen)
        editor->idle();
}

void ViewerCore::closeEditor()
{
    if (editorOpen)
        editor->close();
    editorOpen = false;
}

bool ViewerCore::editorSize(int32_t& width, int32_t& height) const
{
    if (!editor)
        return false;
    editor->size(width, height);
    return true;
}
