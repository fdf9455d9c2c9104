// The options box on Windows: a modal MessageBoxA owned by the host's window.
#include "plugin_api/message_box.h"

#include <windows.h>

void ShowMessageBox(WindowHandle owner, const char* message, const char* caption,
                    uint32_t style) {
  // The box's answer is always OK; nobody needs it.
  MessageBoxA(static_cast<HWND>(owner), message, caption, style);
}
