// POSIX sockets need no start-up: Init and Finalize have nothing to do.
#include "snmp_query/agent_query.h"

void StartSocketLayer() {}
void StopSocketLayer() {}
