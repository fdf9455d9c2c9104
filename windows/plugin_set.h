// The four plug-in DLLs of one test run, each loaded once.
#pragma once

#include <memory>
#include <string>

#include "windows/plugin_library.h"

struct PluginUnderTest {
  const char* name;  // also the DLL's file name without ".dll"
  std::unique_ptr<PluginLibrary> library;

  // Empty when the DLL is usable; otherwise why its cases can't run.
  std::string problem() const { return library ? library->problem() : "not loaded"; }
};

struct PluginSet {
  PluginUnderTest agentlabel{"agentlabel", nullptr};
  PluginUnderTest agentclock{"agentclock", nullptr};
  PluginUnderTest dnsnames{"dnsnames", nullptr};
  PluginUnderTest linkaddr{"linkaddr", nullptr};
};
