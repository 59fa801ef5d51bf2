#pragma once
// Copies a Shift_JIS text into a fixed-width field of the statement data.

#include <cstddef>
#include <cstring>

// Copies at most N - 1 bytes of the NUL-terminated (or field-filling) text `source`
// into `target`, zero-filling the rest. The copy never ends in the first byte of a
// double-byte character: that byte is dropped with the rest of its character.
void CopyName(char* target, size_t targetSize, const char* source, size_t sourceSize);

template <size_t N, size_t M>
void CopyName(char (&target)[N], const char (&source)[M]) {
    CopyName(target, N, source, M);
}
