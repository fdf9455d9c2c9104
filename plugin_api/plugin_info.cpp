// FillInfo: the one writer of the description record.
#include "plugin_api/plugin_identity.h"

#include "plugin_api/column_text.h"

#include <cstring>

namespace {

template <std::size_t Width>
void CopyField(char (&field)[Width], const char* text) {
  const std::size_t length = BoundedLength(text, Width - 1);
  std::memcpy(field, text, length);
  std::memset(field + length, 0, Width - length);
}

}  // namespace

void FillInfo(PluginInfo* info, const PluginIdentity& identity) {
  info->PluginLevel = kPluginLevel;
  info->PluginFlags = kPluginFlags;
  CopyField(info->Name, identity.Name);
  CopyField(info->Description, identity.Description);
  CopyField(info->Author, identity.Author);
  CopyField(info->WebPage, identity.WebPage);
}
