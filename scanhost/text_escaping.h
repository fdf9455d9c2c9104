// Column texts made safe for each output: a CSV field, a JSON string, a
// terminal cell. Texts are 8-bit bytes as the plug-ins wrote them.
#pragma once

#include <string>

// RFC 4180 field: quoted (with quotes doubled) when the text holds a comma,
// a quote, a line break or any other control byte; bytes are kept as they are.
std::string CsvField(const std::string& text);

// A JSON string literal, quotes included. Valid UTF-8 sequences pass
// through; every other byte of 0x80 and above is taken as Latin-1, and
// control bytes are escaped, so the result is always valid JSON in UTF-8.
std::string JsonString(const std::string& text);

// One line for a table cell: control bytes shown as \n, \r, \t or \xHH,
// bytes that are not valid UTF-8 as \xHH.
std::string TerminalText(const std::string& text);

// The columns that `text` (as TerminalText made it) takes on a terminal:
// one per UTF-8 character.
size_t DisplayWidth(const std::string& text);
