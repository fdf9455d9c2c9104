// The column name and text of the hostile test module: everything that
// breaks a careless CSV or JSON writer.
#pragma once

// Comma, quotes, CR LF, a control byte, an escape sequence, a Latin-1 byte
// (not UTF-8), a real UTF-8 character, 0xFF, a backslash and a tab.
constexpr const char* kHostileText =
    "a,b \"q\"\r\nline2\x01\x1b[31m\xe9|\xc3\xa9|\xff\\\t<end>";
constexpr const char* kHostileColumnName = "Hostile, \"col\"";
