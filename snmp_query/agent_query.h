// Platform step: one SNMP request/reply exchange with the agent at an address.
#pragma once

#include <cstdint>

#include "snmp_query/reply_buffer.h"
#include "snmp_query/snmp_request.h"

enum class QueryOutcome {
  Answered,  // a datagram was received into the reply buffer
  TimedOut,  // nothing arrived within the wait
  Failed,    // the send, the wait or the receive failed
};

// Where the request goes and how long the reply is waited for. The exported
// Scan always uses the defaults; tests point it at a test port or shorten it.
struct AgentEndpoint {
  uint16_t port = kAgentPort;
  int32_t waitMilliseconds = 10000;
};

// Sends BuildRequest(systemArc) in one UDP datagram to `address` (in_addr
// form, passed on unchanged), waits once, receives once into `reply`, and
// closes the socket on every path.
QueryOutcome AgentQuery(uint32_t address, uint8_t systemArc, ReplyBuffer& reply,
                        const AgentEndpoint& endpoint = AgentEndpoint{});

// Platform step: starts and releases the platform's socket layer, once per
// scan (Init and Finalize of the SNMP plug-ins).
void StartSocketLayer();
void StopSocketLayer();
