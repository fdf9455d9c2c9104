// The boundary between the host scanner and a column plug-in: the description
// record, the calling convention and the five exports, as host and plug-in
// both see them.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
// The host calls every export with the C convention: the caller pops.
#define PLUGIN_CALL __cdecl
#else
#define PLUGIN_CALL
#endif

// The host's window handle (HWND); only ever passed through to the platform.
using WindowHandle = void*;

// The description record that Info fills. The host owns it; little-endian,
// 1196 bytes, laid out exactly as below on every target.
struct PluginInfo {
  int16_t HostLevel;     // written by the host; read only by plug-ins that check it
  uint8_t Reserved[2];   // nobody reads or writes these
  int32_t PluginLevel;
  int32_t PluginFlags;
  char Name[32];
  char Description[1024];  // lines separated by a line feed
  char Author[32];
  char WebPage[96];
};

static_assert(sizeof(PluginInfo) == 1196, "PluginInfo is 1196 bytes");
static_assert(offsetof(PluginInfo, HostLevel) == 0, "HostLevel at 0");
static_assert(offsetof(PluginInfo, Reserved) == 2, "two untouched bytes at 2");
static_assert(offsetof(PluginInfo, PluginLevel) == 4, "PluginLevel at 4");
static_assert(offsetof(PluginInfo, PluginFlags) == 8, "PluginFlags at 8");
static_assert(offsetof(PluginInfo, Name) == 12, "Name at 12");
static_assert(offsetof(PluginInfo, Description) == 44, "Description at 44");
static_assert(offsetof(PluginInfo, Author) == 1068, "Author at 1068");
static_assert(offsetof(PluginInfo, WebPage) == 1100, "WebPage at 1100");

constexpr int32_t kPluginLevel = 216;
constexpr int32_t kPluginFlags = 0;

// Pointer types of the five exports, as a host looks them up by name.
extern "C" {
using InfoFunction = int32_t(PLUGIN_CALL*)(PluginInfo* info);
using OptionsFunction = int32_t(PLUGIN_CALL*)(WindowHandle parent);
using InitFunction = int32_t(PLUGIN_CALL*)();
using ScanFunction = int32_t(PLUGIN_CALL*)(uint32_t address, char* text, int32_t textSize);
using FinalizeFunction = int32_t(PLUGIN_CALL*)();
}
