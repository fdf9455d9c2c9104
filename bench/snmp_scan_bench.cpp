// Time of one exported Scan of agentlabel: against a local snmpd, and
// against a loopback address whose port 161 is closed. Runs in a private
// network namespace of its own (root).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

#include "tests/support/network_sandbox.h"
#include "tests/support/plugin_module.h"
#include "tests/support/snmp_agent.h"

namespace {

PluginModule* label = nullptr;

void ScanOnce(benchmark::State& state, const char* address) {
  char text[1024];
  for (auto _ : state) {
    text[0] = '\0';
    label->Scan(Ipv4(address), text, sizeof text);
    benchmark::DoNotOptimize(text);
  }
}

void BM_ScanAnsweringAgent(benchmark::State& state) { ScanOnce(state, "127.0.0.1"); }
void BM_ScanClosedPort(benchmark::State& state) { ScanOnce(state, "127.0.0.9"); }
BENCHMARK(BM_ScanAnsweringAgent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScanClosedPort)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  std::string whyNot;
  if (!EnterPrivateNetwork(&whyNot)) {
    std::fprintf(stderr, "snmp_scan_bench: %s\n", whyNot.c_str());
    return 77;
  }
  SnmpAgent agent("127.0.0.1", "Linux lab 12");
  if (!agent.WaitUntilAnswering()) {
    std::fprintf(stderr, "snmp_scan_bench: snmpd did not answer (log %s)\n", agent.log().c_str());
    return 1;
  }
  PluginModule module(AGENTLABEL_MODULE);
  if (!module.loaded()) {
    std::fprintf(stderr, "snmp_scan_bench: %s\n", module.error().c_str());
    return 1;
  }
  label = &module;
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
