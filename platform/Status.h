#pragma once
// Statuses of the accounting libraries: 0 is success, 5000 the normal end of a cursor
// or rule, anything else a failure.

constexpr int kLibOk = 0;
constexpr int kLibEnd = 5000;
// The asked-for datum does not exist (saved statement data).
constexpr int kLibNoData = 5001;
// A cursor number that is not open.
constexpr int kLibBadCursor = 5002;
// A null output, a short buffer or an unknown kind.
constexpr int kLibBadArgument = 5003;
// Task memory for a text could not be allocated.
constexpr int kLibNoMemory = 5004;
// ClAccConnect::Initiate could not load the book.
constexpr int kLibBookRefused = 5100;
