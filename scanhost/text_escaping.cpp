// Escaping of column texts for CSV, JSON and the terminal table.
#include "scanhost/text_escaping.h"

#include <cstdint>

namespace {

const char kHex[] = "0123456789abcdef";

// Length of the valid UTF-8 sequence at text[at], or 0 when there is none
// (overlong forms, surrogates and values past U+10FFFF are not valid).
size_t Utf8Length(const std::string& text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
  const uint8_t lead = byte(at);
  size_t length = 0;
  uint32_t value = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07u;
  } else {
    return 0;
  }
  if (at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
    value = (value << 6) | (byte(at + i) & 0x3Fu);
  }
  if ((length == 3 && value < 0x800) || (length == 4 && value < 0x10000) || value > 0x10FFFF ||
      (value >= 0xD800 && value <= 0xDFFF))
    return 0;
  return length;
}

void AppendHexByte(std::string* out, const char* prefix, uint8_t value) {
  *out += prefix;
  *out += kHex[value >> 4];
  *out += kHex[value & 0x0F];
}

// Copies valid UTF-8 sequences as they are and hands every other byte to
// `escapeByte`, which appends what stands for it.
template <typename EscapeByte>
std::string Escaped(const std::string& text, EscapeByte escapeByte) {
  std::string out;
  for (size_t at = 0; at < text.size();) {
    const auto byte = static_cast<uint8_t>(text[at]);
    const size_t length = byte >= 0x80 ? Utf8Length(text, at) : 0;
    if (length > 0) {
      out.append(text, at, length);
      at += length;
    } else {
      escapeByte(&out, byte);
      ++at;
    }
  }
  return out;
}

}  // namespace

std::string CsvField(const std::string& text) {
  bool quote = false;
  for (const char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    if (c == ',' || c == '"' || byte < 0x20 || byte == 0x7F) quote = true;
  }
  if (!quote) return text;
  std::string field = "\"";
  for (const char c : text) {
    if (c == '"') field += '"';
    field += c;
  }
  return field + "\"";
}

std::string JsonString(const std::string& text) {
  return "\"" + Escaped(text, [](std::string* out, uint8_t byte) {
    if (byte >= 0x80) {
      // Latin-1: the byte is the code point, written as two UTF-8 bytes.
      *out += static_cast<char>(0xC0 | (byte >> 6));
      *out += static_cast<char>(0x80 | (byte & 0x3F));
      return;
    }
    switch (byte) {
      case '"': *out += "\\\""; break;
      case '\\': *out += "\\\\"; break;
      case '\n': *out += "\\n"; break;
      case '\r': *out += "\\r"; break;
      case '\t': *out += "\\t"; break;
      case '\b': *out += "\\b"; break;
      case '\f': *out += "\\f"; break;
      default:
        if (byte < 0x20 || byte == 0x7F)
          AppendHexByte(out, "\\u00", byte);
        else
          *out += static_cast<char>(byte);
    }
  }) + "\"";
}

std::string TerminalText(const std::string& text) {
  return Escaped(text, [](std::string* out, uint8_t byte) {
    if (byte == '\n')
      *out += "\\n";
    else if (byte == '\r')
      *out += "\\r";
    else if (byte == '\t')
      *out += "\\t";
    else if (byte == '\\')
      *out += "\\\\";
    else if (byte < 0x20 || byte >= 0x7F)
      AppendHexByte(out, "\\x", byte);
    else
      *out += static_cast<char>(byte);
  });
}

size_t DisplayWidth(const std::string& text) {
  size_t width = 0;
  for (const char c : text)
    if ((static_cast<uint8_t>(c) & 0xC0) != 0x80) ++width;
  return width;
}
