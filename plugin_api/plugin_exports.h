// The five functions every plug-in module exports by name. Each plug-in's
// exports file includes this and defines them; nothing else leaves the module.
#pragma once

#include "plugin_api/plugin_api.h"

#if defined(_WIN32)
#define PLUGIN_EXPORT  // exported by name through plugin_exports.def
#else
#define PLUGIN_EXPORT __attribute__((visibility("default")))
#endif

extern "C" {
PLUGIN_EXPORT int32_t PLUGIN_CALL Info(PluginInfo* info) noexcept;
PLUGIN_EXPORT int32_t PLUGIN_CALL Options(WindowHandle parent) noexcept;
PLUGIN_EXPORT int32_t PLUGIN_CALL Init() noexcept;
PLUGIN_EXPORT int32_t PLUGIN_CALL Scan(uint32_t address, char* text, int32_t textSize) noexcept;
PLUGIN_EXPORT int32_t PLUGIN_CALL Finalize() noexcept;
}
