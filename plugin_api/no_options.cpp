// ShowNoOptions: tells the user that the plug-in has no settings.
#include "plugin_api/no_options.h"

#include "plugin_api/message_box.h"

void ShowNoOptions(WindowHandle parent, const char* message, const char* caption) {
  ShowMessageBox(parent, message, caption, kIconErrorStyle);
}
