// One plug-in DLL as the scanner sees it: loaded with LoadLibraryA, its five
// exports looked up by name, every call made with the C convention and its
// stack pointer checked.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "plugin_api/plugin_api.h"

class PluginLibrary {
 public:
  explicit PluginLibrary(const std::string& path);
  ~PluginLibrary();
  PluginLibrary(const PluginLibrary&) = delete;
  PluginLibrary& operator=(const PluginLibrary&) = delete;

  // Empty when the DLL loaded and has all five exports; otherwise says why not.
  const std::string& problem() const { return problem_; }

  // The exports. A call whose callee moved the stack pointer is recorded in
  // stackFaults(); its result is still handed back.
  int32_t Info(PluginInfo* info);
  int32_t Options(WindowHandle parent);
  int32_t Init();
  int32_t Scan(uint32_t address, char* text, int32_t textSize);
  int32_t Finalize();

  // Calls so far whose callee left ESP other than cdecl leaves it, described.
  const std::string& stackFaults() const { return stackFaults_; }

 private:
  int32_t Call(const char* name, const void* function, const uint32_t* arguments,
               uint32_t count);

  HMODULE module_ = nullptr;
  std::string problem_;
  std::string stackFaults_;
  InfoFunction info_ = nullptr;
  OptionsFunction options_ = nullptr;
  InitFunction init_ = nullptr;
  ScanFunction scan_ = nullptr;
  FinalizeFunction finalize_ = nullptr;
};
