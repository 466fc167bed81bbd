// A control for the host smoke tests (LMMS, and Ardour for the Linux build):
// a minimal VST 2 instrument that faults on the first block of events it
// receives. A run of the smoke project with it must be judged a crash, which
// shows both that the project plays notes into its instrument and that the
// judging sees a plug-in that dies. It claims processReplacing, without
// which Ardour refuses a plug-in.
#include "framework/Vst2Abi.h"

namespace {

AEffect effect{};

intptr_t VSTCALLBACK dispatch(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float)
{
    if (opcode == effProcessEvents) {
        volatile int* nowhere = nullptr;
        *nowhere = 1;
    }
    return 0;
}

void VSTCALLBACK process(AEffect*, float**, float**, int32_t)
{
}
void VSTCALLBACK setParameter(AEffect*, int32_t, float)
{
}
float VSTCALLBACK getParameter(AEffect*, int32_t)
{
    return 0.0f;
}

} // namespace

extern "C" AEffect* VSTCALLBACK faultingPluginMain(audioMasterCallback)
{
    effect.magic = kEffectMagic;
    effect.dispatcher = dispatch;
    effect.process = process;
    effect.processReplacing = process;
    effect.setParameter = setParameter;
    effect.getParameter = getParameter;
    effect.numPrograms = 1;
    effect.flags = effFlagsIsSynth | effFlagsCanReplacing;
    effect.uniqueID = 0x464C5459; // 'FLTY'
    effect.version = 1;
    return &effect;
}
