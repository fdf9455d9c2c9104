// AppendText and WriteText: bounded writes into the host's column buffer.
#include "plugin_api/column_text.h"

#include <cstring>

std::size_t BoundedLength(const char* text, std::size_t limit) {
  std::size_t length = 0;
  while (length < limit && text[length] != '\0') ++length;
  return length;
}

void AppendText(char* text, int32_t textSize, const char* piece, int32_t maxPiece) {
  if (textSize <= 0 || maxPiece <= 0) return;
  const std::size_t size = static_cast<std::size_t>(textSize);
  const std::size_t used = BoundedLength(text, size);
  if (used + 1 >= size) return;  // full, or no NUL inside the buffer at all
  const std::size_t room = size - 1 - used;
  const std::size_t wanted = static_cast<std::size_t>(maxPiece);
  const std::size_t taken = BoundedLength(piece, wanted < room ? wanted : room);
  std::memcpy(text + used, piece, taken);
  text[used + taken] = '\0';
}

void WriteText(char* text, int32_t textSize, const char* piece) {
  if (textSize <= 0) return;
  const std::size_t taken = BoundedLength(piece, static_cast<std::size_t>(textSize) - 1);
  std::memmove(text, piece, taken);
  text[taken] = '\0';
}
