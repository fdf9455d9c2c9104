// Loading a plug-in module as the host does: dlopen, the five exports by
// name, and the description record that its Info fills.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "plugin_api/plugin_api.h"

// The HostLevel that this host writes into every description record before
// Info. Plug-ins that need a host of level 4 or above accept it.
constexpr int16_t kHostLevel = 4;

// One loaded module; unloads it when destroyed.
class LoadedPlugin {
 public:
  LoadedPlugin(std::string path, void* handle);
  ~LoadedPlugin();
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;

  const std::string& path() const { return path_; }
  // The texts of the record, each read up to its NUL or its field's end.
  std::string Name() const;
  std::string Description() const;
  std::string Author() const;
  std::string WebPage() const;
  int32_t Level() const { return info.PluginLevel; }

  InfoFunction Info = nullptr;
  OptionsFunction Options = nullptr;
  InitFunction Init = nullptr;
  ScanFunction Scan = nullptr;
  FinalizeFunction Finalize = nullptr;
  PluginInfo info{};

 private:
  std::string path_;
  void* handle_;
};

// Loads `path`, looks up the five exports and calls Info on a record that
// holds kHostLevel. On failure returns null and a one-line reason that names
// the file (and the missing exports, or the refusal).
std::unique_ptr<LoadedPlugin> LoadPlugin(const std::string& path, std::string* error);

// The plug-in modules (*.so) in `directory`, sorted by file name.
std::vector<std::string> ListModules(const std::string& directory);

// The folder of plug-ins beside the program: `<dir of exe>/plugins` when it
// exists, else `<dir of exe>/../lib/probe-columns`.
std::string DefaultPluginDirectory();
