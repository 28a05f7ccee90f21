#pragma once

#include <cstddef>

// Copies text across the host boundary, in either direction, within a bound of `capacity`
// bytes (NUL included): at most capacity - 1 characters are read from `source`, at most
// `capacity` bytes are written to `destination`, and the result is always terminated.
// Bytes after the terminator stay as they were. A null destination or a capacity of 0
// writes nothing; a null source writes "".
void CopyHostString(char* destination, const char* source, std::size_t capacity);
