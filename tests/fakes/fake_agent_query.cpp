// AgentQuery and the socket layer, scripted for the core tests.
#include "tests/fakes/fake_agent_query.h"

#include <cstring>

ScriptedQuery scriptedQuery;

QueryOutcome AgentQuery(uint32_t address, uint8_t systemArc, ReplyBuffer& reply,
                        const AgentEndpoint& /*endpoint*/) {
  ++scriptedQuery.calls;
  scriptedQuery.address = address;
  scriptedQuery.systemArc = systemArc;
  std::memset(reply.bytes, 'X', sizeof reply.bytes);
  reply.received = 0;
  if (scriptedQuery.outcome == QueryOutcome::Answered && !scriptedQuery.reply.empty()) {
    std::memcpy(reply.bytes, scriptedQuery.reply.data(), scriptedQuery.reply.size());
    reply.received = static_cast<int32_t>(scriptedQuery.reply.size());
  }
  return scriptedQuery.outcome;
}

void StartSocketLayer() { ++scriptedQuery.socketLayerStarts; }
void StopSocketLayer() { ++scriptedQuery.socketLayerStops; }
