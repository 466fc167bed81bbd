// Off-screen windows have no message loop to deliver a wake: they are drawn
// by the idle pump alone.
#include "glut/GlutBackend.h"

void* backendWakeTarget(NativeWindow*)
{
    return nullptr;
}

void backendWake(void*)
{
}

void backendWakeAfter(NativeWindow*, int)
{
}

bool backendEventsNeedWaiting()
{
    return false;
}

void backendWaitEvents()
{
}
