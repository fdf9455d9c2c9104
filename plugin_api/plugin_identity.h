// The constant texts of one plug-in and FillInfo, which copies them into the
// host's description record.
#pragma once

#include "plugin_api/plugin_api.h"

struct PluginIdentity {
  const char* Name;
  const char* Description;
  const char* Author;
  const char* WebPage;
  const char* OptionsMessage;
  const char* OptionsCaption;
};

// True when every text of the identity is shorter than its record field, so
// each field ends NUL-terminated. Plug-ins check their identity at compile time.
constexpr bool FitsPluginInfo(const PluginIdentity& identity) {
  auto shorter = [](const char* text, std::size_t field) {
    std::size_t length = 0;
    while (text[length] != '\0') ++length;
    return length < field;
  };
  return shorter(identity.Name, sizeof(PluginInfo::Name)) &&
         shorter(identity.Description, sizeof(PluginInfo::Description)) &&
         shorter(identity.Author, sizeof(PluginInfo::Author)) &&
         shorter(identity.WebPage, sizeof(PluginInfo::WebPage));
}

// Writes the level, the flags and the four texts (each padded with NULs to its
// field's width); leaves HostLevel and the two bytes after it alone.
void FillInfo(PluginInfo* info, const PluginIdentity& identity);

// Author and web page shared by the SNMP and alias plug-ins.
constexpr const char* kProbeColumnsAuthor = "Probe Columns project";
constexpr const char* kProbeColumnsWebPage = "https://probe-columns.example.org/";
