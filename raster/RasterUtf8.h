#pragma once

#include <cstdint>

// Decodes one character of UTF-8 text into a 16-bit code and returns the
// number of bytes consumed (1 to 4). Two- and three-byte sequences decode to
// their code (three-byte codes keep their low 16 bits); a four-byte sequence
// becomes a space (32). Anything else (ASCII, a stray continuation byte,
// 0xC0, 0xC1, 0xF5 and above, or an incomplete sequence) is its own byte as
// the code, one byte consumed.
//
// `text` holds at least one byte. At most `available` bytes are read; a
// negative `available` means the text ends at its NUL, which is never part of
// a sequence.
int Utf8Decode(const char* text, std::uint16_t& code, int available = -1);
