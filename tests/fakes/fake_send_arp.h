// A scripted SendArp: the core tests choose the result and the bytes filled.
#pragma once

#include <cstdint>
#include <vector>

#include "linkaddr/send_arp.h"

struct ScriptedArp {
  uint32_t result = 67;        // ERROR_BAD_NET_NAME unless a test says otherwise
  std::vector<uint8_t> bytes;  // written into the buffer, whatever the result
  // What the last call received.
  int calls = 0;
  uint32_t destination = 0;
  uint32_t source = 0;
  uint32_t lengthIn = 0;
  std::vector<uint8_t> bufferIn;  // the 8 bytes as handed over
};

extern ScriptedArp scriptedArp;
