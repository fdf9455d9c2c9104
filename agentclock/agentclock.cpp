// agentclock: the column of each agent's uptime (sysUpTime).
#include "agentclock/agentclock_identity.h"
#include "agentclock/uptime.h"
#include "plugin_api/no_options.h"
#include "plugin_api/plugin_exports.h"
#include "snmp_query/snmp_scan.h"

int32_t PLUGIN_CALL Info(PluginInfo* info) noexcept {
  FillInfo(info, kAgentClockIdentity);
  return 1;
}

int32_t PLUGIN_CALL Options(WindowHandle parent) noexcept {
  ShowNoOptions(parent, kAgentClockIdentity.OptionsMessage, kAgentClockIdentity.OptionsCaption);
  return 1;
}

int32_t PLUGIN_CALL Init() noexcept { return SnmpInit(); }

int32_t PLUGIN_CALL Scan(uint32_t address, char* text, int32_t textSize) noexcept {
  return SnmpScan(address, text, textSize, kUptimeArc, AppendUptime);
}

int32_t PLUGIN_CALL Finalize() noexcept { return SnmpFinalize(); }
