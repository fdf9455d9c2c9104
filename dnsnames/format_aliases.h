// FormatAliases: the alias names of a host entry as the column shows them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Room for one formatted further alias, "<" name ">" and its NUL.
constexpr std::size_t kAliasScratchSize = 128;

// Replaces the text by "<alias0>" and appends "<aliasN>" for each further
// alias, all within textSize - 1 characters. A further alias longer than the
// scratch area holds (125 characters) is cut there, without its ">".
// `aliases` must not be empty.
void FormatAliases(const std::vector<std::string>& aliases, char* text, int32_t textSize);
