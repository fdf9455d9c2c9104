// Small plug-in modules that only the tests load: one whose column text and
// names are hostile to CSV and JSON, one whose Info refuses every record, and
// one that lacks its Finalize export. Built once per kind from this file.
#include <cstring>

#include "plugin_api/column_text.h"
#include "plugin_api/plugin_exports.h"
#include "plugin_api/plugin_identity.h"
#include "scanhost/tests/hostile_text.h"

namespace {
constexpr PluginIdentity kIdentity{kHostileColumnName, "Hostile\ntest column", "tests",
                                   "https://probe-columns.example.org/", "none", "Hostile"};
}  // namespace

int32_t PLUGIN_CALL Info(PluginInfo* info) noexcept {
#if defined(TEST_MODULE_REFUSING)
  (void)info;
  return 0;
#else
  FillInfo(info, kIdentity);
  return 1;
#endif
}

int32_t PLUGIN_CALL Options(WindowHandle) noexcept { return 1; }
int32_t PLUGIN_CALL Init() noexcept { return 1; }

int32_t PLUGIN_CALL Scan(uint32_t, char* text, int32_t textSize) noexcept {
  WriteText(text, textSize, kHostileText);
  return 1;
}

#if !defined(TEST_MODULE_NO_FINALIZE)
int32_t PLUGIN_CALL Finalize() noexcept { return 1; }
#endif
