// ShowMessageBox stand-in for the core tests.
#include "tests/fakes/fake_message_box.h"

#include "plugin_api/message_box.h"

MessageBoxCall lastMessageBox;

void ShowMessageBox(WindowHandle owner, const char* message, const char* caption,
                    uint32_t style) {
  ++lastMessageBox.count;
  lastMessageBox.owner = owner;
  lastMessageBox.message = message;
  lastMessageBox.caption = caption;
  lastMessageBox.style = style;
}
