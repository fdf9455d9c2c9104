// PluginModule: dlopen plus dlsym of the five exports.
#include "tests/support/plugin_module.h"

#include <dlfcn.h>

namespace {
template <typename Function>
bool Find(void* handle, const char* name, Function* function, std::string* error) {
  *function = reinterpret_cast<Function>(dlsym(handle, name));
  if (*function == nullptr) *error = std::string("missing export ") + name;
  return *function != nullptr;
}
}  // namespace

PluginModule::PluginModule(const std::string& path) {
  handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle_ == nullptr) {
    const char* why = dlerror();
    error_ = why ? why : "dlopen failed";
    return;
  }
  bool all = Find(handle_, "Info", &Info, &error_);
  all = Find(handle_, "Options", &Options, &error_) && all;
  all = Find(handle_, "Init", &Init, &error_) && all;
  all = Find(handle_, "Scan", &Scan, &error_) && all;
  all = Find(handle_, "Finalize", &Finalize, &error_) && all;
  if (!all) {
    dlclose(handle_);
    handle_ = nullptr;
  }
}

PluginModule::~PluginModule() {
  if (handle_ != nullptr) dlclose(handle_);
}
