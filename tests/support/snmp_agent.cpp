// SnmpAgent: snmpd -f -C -c FILE -m "" with its state under the build tree.
#include "tests/support/snmp_agent.h"

#include <chrono>
#include <thread>

#include "snmp_query/agent_query.h"
#include "tests/support/network_sandbox.h"

SnmpAgent::SnmpAgent(const std::string& address, const std::string& description)
    : address_(address), dir_("snmpd-" + address) {
  const std::string config = dir_.Write("snmpd.conf", "agentaddress udp:" + address +
                                                          ":161\n"
                                                          "rocommunity varnek\n"
                                                          "sysdescr " +
                                                          description + "\n");
  logPath_ = dir_.File("snmpd.log");
  process_ = std::make_unique<ChildProcess>(
      std::vector<std::string>{"snmpd", "-f", "-Lo", "-C", "-c", config, "-m", "", "-p",
                               dir_.File("snmpd.pid")},
      std::vector<std::string>{"SNMP_PERSISTENT_DIR=" + dir_.File("state"),
                               "MIBDIRS=" + dir_.path()},
      logPath_);
}

bool SnmpAgent::WaitUntilAnswering() {
  // Bounded: at most 50 requests, 100 ms apart.
  for (int attempt = 0; attempt < 50 && process_->Running(); ++attempt) {
    ReplyBuffer reply;
    if (AgentQuery(Ipv4(address_.c_str()), 1, reply, AgentEndpoint{161, 100}) ==
        QueryOutcome::Answered)
      return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return false;
}
