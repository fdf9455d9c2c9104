// probe_dll_host: a 32-bit Windows console program that plays the scanner
// for the four plug-in DLLs and runs every case against them.
//   probe_dll_host.exe DLL-DIRECTORY
// The last line of its output is "N passed, N failed"; the exit code is 0
// only when nothing failed.
#include <winsock2.h>

#include <cstdio>
#include <string>

#include "windows/host_cases.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: probe_dll_host DLL-DIRECTORY\n");
    return 2;
  }
  // The scanner starts Windows Sockets for the whole process; dnsnames
  // relies on that.
  WSADATA sockets;
  if (WSAStartup(MAKEWORD(2, 2), &sockets) != 0) {
    std::fprintf(stderr, "probe_dll_host: WSAStartup failed\n");
    return 2;
  }
  const std::string directory = argv[1];
  PluginSet plugins;
  for (PluginUnderTest* plugin :
       {&plugins.agentlabel, &plugins.agentclock, &plugins.dnsnames, &plugins.linkaddr}) {
    plugin->library =
        std::make_unique<PluginLibrary>(directory + "\\" + plugin->name + ".dll");
  }

  CaseReport report;
  RunStackCheckCases(report);
  RunInfoCases(plugins, report);
  RunSeamCases(report);
  RunSnmpCases(plugins, report);
  RunAliasCases(plugins, report);
  RunLinkCases(plugins, report);
  RunOptionsCases(plugins, report);
  report.PrintSummary();
  WSACleanup();
  return report.failed() == 0 ? 0 : 1;
}
