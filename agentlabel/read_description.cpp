// ReadDescription: the value of sysDescr appended to the column.
#include "agentlabel/read_description.h"

#include "plugin_api/column_text.h"

void ReadDescription(const ReplyBuffer& reply, char* text, int32_t textSize) {
  const auto value = FindReplyValue(reply);
  if (!value) return;
  AppendText(text, textSize, reinterpret_cast<const char*>(value->bytes), value->length);
}
