// FormatAliases: each alias in angle brackets, run together.
#include "dnsnames/format_aliases.h"

#include <cstdio>

#include "plugin_api/column_text.h"

void FormatAliases(const std::vector<std::string>& aliases, char* text, int32_t textSize) {
  // The first piece goes straight over the text: "<", the alias, ">".
  WriteText(text, textSize, "<");
  AppendText(text, textSize, aliases.front().c_str(), kNoPieceLimit);
  AppendText(text, textSize, ">", kNoPieceLimit);
  for (std::size_t i = 1; i < aliases.size(); ++i) {
    char scratch[kAliasScratchSize];
    // snprintf cuts a long alias at the end of the scratch area.
    std::snprintf(scratch, sizeof scratch, "<%s>", aliases[i].c_str());
    AppendText(text, textSize, scratch, kNoPieceLimit);
  }
}
