// A scripted AgentQuery: the core tests choose the outcome and the reply.
#pragma once

#include <cstdint>
#include <vector>

#include "snmp_query/agent_query.h"

struct ScriptedQuery {
  QueryOutcome outcome = QueryOutcome::Failed;
  std::vector<uint8_t> reply;  // copied into the reply buffer when Answered
  // What the last call received.
  int calls = 0;
  uint32_t address = 0;
  uint8_t systemArc = 0;
  int socketLayerStarts = 0;
  int socketLayerStops = 0;
};

extern ScriptedQuery scriptedQuery;
