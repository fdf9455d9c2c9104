// LoadPlugin: dlopen, dlsym of the five exports, Info on a prepared record.
#include "scanhost/plugin_loader.h"

#include <dirent.h>
#include <dlfcn.h>
#include <limits.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <type_traits>

namespace {

template <size_t Size>
std::string FieldText(const char (&field)[Size]) {
  return std::string(field, strnlen(field, Size));
}

bool IsDirectory(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

LoadedPlugin::LoadedPlugin(std::string path, void* handle)
    : path_(std::move(path)), handle_(handle) {}

LoadedPlugin::~LoadedPlugin() {
  if (handle_ != nullptr) dlclose(handle_);
}

std::string LoadedPlugin::Name() const { return FieldText(info.Name); }
std::string LoadedPlugin::Description() const { return FieldText(info.Description); }
std::string LoadedPlugin::Author() const { return FieldText(info.Author); }
std::string LoadedPlugin::WebPage() const { return FieldText(info.WebPage); }

std::unique_ptr<LoadedPlugin> LoadPlugin(const std::string& path, std::string* error) {
  // A name without a slash would make dlopen search the library path.
  const std::string openPath = path.find('/') == std::string::npos ? "./" + path : path;
  void* handle = dlopen(openPath.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    *error = path + ": cannot load: " + (why ? why : "dlopen failed");
    return nullptr;
  }
  auto plugin = std::make_unique<LoadedPlugin>(path, handle);
  std::string missing;
  const auto find = [&](const char* name, auto* function) {
    using Function = std::remove_pointer_t<decltype(function)>;
    *function = reinterpret_cast<Function>(dlsym(handle, name));
    if (*function == nullptr) missing += missing.empty() ? name : std::string(", ") + name;
  };
  find("Info", &plugin->Info);
  find("Options", &plugin->Options);
  find("Init", &plugin->Init);
  find("Scan", &plugin->Scan);
  find("Finalize", &plugin->Finalize);
  if (!missing.empty()) {
    *error = path + ": missing export " + missing;
    return nullptr;
  }
  // The record is ours; the plug-in writes into it only during Info.
  std::memset(&plugin->info, 0, sizeof plugin->info);
  plugin->info.HostLevel = kHostLevel;
  if (plugin->Info(&plugin->info) == 0) {
    *error = path + ": refused by its Info (host level " + std::to_string(kHostLevel) + ")";
    return nullptr;
  }
  if (plugin->Name().empty()) {
    *error = path + ": its Info gave no column name";
    return nullptr;
  }
  return plugin;
}

std::vector<std::string> ListModules(const std::string& directory) {
  std::vector<std::string> modules;
  DIR* folder = opendir(directory.c_str());
  if (folder == nullptr) return modules;
  while (const dirent* entry = readdir(folder)) {
    const std::string name = entry->d_name;
    if (name.size() > 3 && name.compare(name.size() - 3, 3, ".so") == 0 && name[0] != '.')
      modules.push_back(directory + "/" + name);
  }
  closedir(folder);
  std::sort(modules.begin(), modules.end());
  return modules;
}

std::string DefaultPluginDirectory() {
  char exe[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", exe, sizeof exe - 1);
  if (length <= 0) return "plugins";
  std::string dir(exe, static_cast<size_t>(length));
  dir = dir.substr(0, dir.rfind('/'));
  if (IsDirectory(dir + "/plugins")) return dir + "/plugins";
  return dir + "/../lib/probe-columns";
}
