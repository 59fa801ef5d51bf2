#pragma once
// Bounding Shift_JIS text to a byte count, keeping whole characters only.

#include <cstddef>

#include "framework/CString.h"

// The longest prefix of the first `length` bytes of `text` that holds only whole
// characters and is at most `maxBytes` long. Unlike a plain cut, a lead byte whose
// second byte is missing (a broken text) is dropped too: written before markup it
// would swallow the markup's first byte.
CString LimitBytes(const char* text, size_t length, size_t maxBytes);
