// The message box on POSIX: there is no window system to own a box, so the
// caption and the message go to standard error as one line.
#include "plugin_api/message_box.h"

#include <cstdio>

void ShowMessageBox(WindowHandle /*owner*/, const char* message, const char* caption,
                    uint32_t /*style*/) {
  std::fprintf(stderr, "%s: %s\n", caption, message);
}
