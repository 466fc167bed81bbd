#pragma once
// What the DLL's only export, `main`, does: checks the host, builds the
// plug-in and answers its AEffect record, or null when it cannot.
#include "framework/Vst2Abi.h"

AEffect* vstMain(audioMasterCallback host);
