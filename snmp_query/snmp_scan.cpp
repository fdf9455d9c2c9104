// The SNMP plug-ins' common lifecycle: one exchange per scanned address.
#include "snmp_query/snmp_scan.h"

#include "plugin_api/column_text.h"

int32_t SnmpInit() {
  StartSocketLayer();
  return 1;
}

int32_t SnmpFinalize() {
  StopSocketLayer();
  return 1;
}

int32_t SnmpScan(uint32_t address, char* text, int32_t textSize, uint8_t systemArc,
                 ReplyReader reader, const AgentEndpoint& endpoint) {
  ReplyBuffer reply;  // lives in the call: nothing is allocated per Scan
  reply.received = 0;
  switch (AgentQuery(address, systemArc, reply, endpoint)) {
    case QueryOutcome::Answered:
      reader(reply, text, textSize);
      break;
    case QueryOutcome::TimedOut:
      AppendText(text, textSize, kTimeOutText, textSize);
      break;
    case QueryOutcome::Failed:
      break;
  }
  return 1;
}
