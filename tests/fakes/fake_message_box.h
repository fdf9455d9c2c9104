// Records what the code above the seam hands the message box.
#pragma once

#include <cstdint>
#include <string>

#include "plugin_api/plugin_api.h"

struct MessageBoxCall {
  int count = 0;
  WindowHandle owner = nullptr;
  std::string message;
  std::string caption;
  uint32_t style = 0;
};

extern MessageBoxCall lastMessageBox;
