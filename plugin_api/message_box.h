// Platform step: the modal message box owned by the host's window.
#pragma once

#include <cstdint>

#include "plugin_api/plugin_api.h"

constexpr uint32_t kIconErrorStyle = 0x10;  // MB_ICONERROR: error icon, one OK button

// Shows the box and returns once the user has closed it; its result is not
// needed by any caller.
void ShowMessageBox(WindowHandle owner, const char* message, const char* caption,
                    uint32_t style);
