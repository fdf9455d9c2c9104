// SendArp, scripted for the core tests.
#include "tests/fakes/fake_send_arp.h"

#include <cstring>

ScriptedArp scriptedArp;

uint32_t SendArp(uint32_t destination, uint32_t source, uint8_t* hardwareAddress,
                 uint32_t* length) {
  ++scriptedArp.calls;
  scriptedArp.destination = destination;
  scriptedArp.source = source;
  scriptedArp.lengthIn = *length;
  scriptedArp.bufferIn.assign(hardwareAddress, hardwareAddress + 8);
  if (!scriptedArp.bytes.empty())
    std::memcpy(hardwareAddress, scriptedArp.bytes.data(), scriptedArp.bytes.size());
  *length = static_cast<uint32_t>(scriptedArp.bytes.size());
  return scriptedArp.result;
}
