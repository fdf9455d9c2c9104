// Windows Sockets start-up and release around a scan (Init and Finalize).
#include "snmp_query/agent_query.h"

#include <winsock2.h>

namespace {

// One start-up record per plug-in DLL, filled by WSAStartup in Init.
WSADATA socketLayerRecord;

}  // namespace

// Version 1.1 is all the exchange needs. A failed start-up is not reported:
// every Scan's send then fails and leaves its column text alone.
void StartSocketLayer() { WSAStartup(0x0101, &socketLayerRecord); }

void StopSocketLayer() { WSACleanup(); }
