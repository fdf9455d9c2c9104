// PluginLibrary: LoadLibraryA, GetProcAddress and checked cdecl calls.
#include "windows/plugin_library.h"

#include "windows/cdecl_call.h"

namespace {

// GetProcAddress hands back a generic pointer; the exports' own pointer
// types (plugin_api.h) carry the C convention.
template <typename Function>
bool LookUp(HMODULE module, const char* name, Function* function, std::string* problem) {
  const FARPROC address = GetProcAddress(module, name);
  if (address == nullptr) {
    if (!problem->empty()) *problem += ", ";
    *problem += name;
    return false;
  }
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(address));
  return true;
}

uint32_t Word(const void* pointer) {
  return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(pointer));
}

}  // namespace

PluginLibrary::PluginLibrary(const std::string& path) {
  module_ = LoadLibraryA(path.c_str());
  if (module_ == nullptr) {
    problem_ = "LoadLibraryA(" + path + ") failed, error " + std::to_string(GetLastError());
    return;
  }
  std::string missing;
  LookUp(module_, "Info", &info_, &missing);
  LookUp(module_, "Options", &options_, &missing);
  LookUp(module_, "Init", &init_, &missing);
  LookUp(module_, "Scan", &scan_, &missing);
  LookUp(module_, "Finalize", &finalize_, &missing);
  if (!missing.empty()) problem_ = path + " lacks the export(s) " + missing;
}

PluginLibrary::~PluginLibrary() {
  if (module_ != nullptr) FreeLibrary(module_);
}

int32_t PluginLibrary::Call(const char* name, const void* function, const uint32_t* arguments,
                            uint32_t count) {
  const CdeclResult result = CallCdecl(function, arguments, count);
  if (result.stackDrift != 0) {
    stackFaults_ += std::string(name) + " moved ESP by " + std::to_string(result.stackDrift) +
                    " bytes; ";
  }
  return result.value;
}

int32_t PluginLibrary::Info(PluginInfo* info) {
  const uint32_t arguments[] = {Word(info)};
  return Call("Info", reinterpret_cast<const void*>(info_), arguments, 1);
}

int32_t PluginLibrary::Options(WindowHandle parent) {
  const uint32_t arguments[] = {Word(parent)};
  return Call("Options", reinterpret_cast<const void*>(options_), arguments, 1);
}

int32_t PluginLibrary::Init() {
  return Call("Init", reinterpret_cast<const void*>(init_), nullptr, 0);
}

int32_t PluginLibrary::Scan(uint32_t address, char* text, int32_t textSize) {
  const uint32_t arguments[] = {address, Word(text), static_cast<uint32_t>(textSize)};
  return Call("Scan", reinterpret_cast<const void*>(scan_), arguments, 3);
}

int32_t PluginLibrary::Finalize() {
  return Call("Finalize", reinterpret_cast<const void*>(finalize_), nullptr, 0);
}
