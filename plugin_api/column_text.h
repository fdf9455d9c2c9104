// The only writers of the host's column text. Both keep the text within
// textSize - 1 characters plus its NUL, whatever they are handed.
#pragma once

#include <cstddef>
#include <cstdint>

// Passed as maxPiece when the whole piece (up to its NUL) may be taken.
constexpr int32_t kNoPieceLimit = INT32_MAX;

// Length of text up to its first NUL, but never looking past limit bytes.
std::size_t BoundedLength(const char* text, std::size_t limit);

// Appends at most maxPiece characters of piece (fewer at a NUL in it) after
// the current text, as far as textSize allows, then writes the NUL. The
// current text is measured only within textSize: a buffer without a NUL is
// left alone. The piece is read no further than what is appended.
void AppendText(char* text, int32_t textSize, const char* piece, int32_t maxPiece);

// Replaces the text by piece, cut to textSize - 1 characters, plus a NUL;
// writes nothing when textSize is 0 or less.
void WriteText(char* text, int32_t textSize, const char* piece);
