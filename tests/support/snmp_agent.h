// A real net-snmp agent (snmpd) for one test, listening on one loopback
// address inside the test's private network namespace.
#pragma once

#include <memory>
#include <string>

#include "tests/support/child_process.h"
#include "tests/support/scratch_dir.h"

class SnmpAgent {
 public:
  // Writes the agent's configuration (community varnek, the given sysDescr)
  // under the build tree and starts snmpd on udp:<address>:161.
  SnmpAgent(const std::string& address, const std::string& description);

  // True once the agent has answered a request; waits at most a few seconds.
  bool WaitUntilAnswering();
  const std::string& log() const { return logPath_; }

 private:
  std::string address_;
  ScratchDir dir_;
  std::string logPath_;
  std::unique_ptr<ChildProcess> process_;
};
