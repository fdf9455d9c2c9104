// SendArp on Windows: IP Helper's SendARP, which needs no socket start-up.
#include "linkaddr/send_arp.h"

#include <winsock2.h>
#include <iphlpapi.h>

uint32_t SendArp(uint32_t destination, uint32_t source, uint8_t* hardwareAddress,
                 uint32_t* length) {
  ULONG filled = *length;
  const DWORD result = SendARP(destination, source, hardwareAddress, &filled);
  *length = filled;
  return result;
}
