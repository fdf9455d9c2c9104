// Init, Scan and Finalize shared by the SNMP plug-ins.
#pragma once

#include <cstdint>

#include "snmp_query/agent_query.h"

// Appends what a plug-in shows of an answered reply to the column text.
using ReplyReader = void (*)(const ReplyBuffer& reply, char* text, int32_t textSize);

constexpr const char* kTimeOutText = "TimeOut";

int32_t SnmpInit();
int32_t SnmpFinalize();

// Asks the agent for 1.3.6.1.2.1.1.<systemArc>: an answer goes through
// `reader`, a timeout appends "TimeOut", a failure leaves the text alone.
// Always returns 1.
int32_t SnmpScan(uint32_t address, char* text, int32_t textSize, uint8_t systemArc,
                 ReplyReader reader, const AgentEndpoint& endpoint = AgentEndpoint{});
