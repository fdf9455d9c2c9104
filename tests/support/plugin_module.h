// A built plug-in module loaded the way a host loads it: dlopen and the five
// exports looked up by name.
#pragma once

#include <string>

#include "plugin_api/plugin_api.h"

class PluginModule {
 public:
  explicit PluginModule(const std::string& path);
  ~PluginModule();
  PluginModule(const PluginModule&) = delete;
  PluginModule& operator=(const PluginModule&) = delete;

  bool loaded() const { return handle_ != nullptr; }
  const std::string& error() const { return error_; }

  InfoFunction Info = nullptr;
  OptionsFunction Options = nullptr;
  InitFunction Init = nullptr;
  ScanFunction Scan = nullptr;
  FinalizeFunction Finalize = nullptr;

 private:
  void* handle_ = nullptr;
  std::string error_;
};
