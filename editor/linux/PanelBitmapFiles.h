#pragma once
// The panel's bitmap files as the Windows resource script numbers them,
// compiled into the library (generated from resources/QarnViewer.rc when
// CMake configures); the table ends with an entry without bytes.
#include "gui/BitmapFiles.h"

extern const BitmapFile panelBitmapFiles[];
