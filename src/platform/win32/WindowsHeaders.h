#pragma once
// The Windows headers, always after the ports: they define the names of the ports' constants
// (NIM_ADD, HWND_TOPMOST, SND_ASYNC, ...) as macros of the same values.
#include "platform/Platform.h"

#include <windows.h>
