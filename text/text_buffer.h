#pragma once

#include <stddef.h>

// One size per kind of fixed text buffer, as the installer's records hold them.
constexpr size_t kPathChars = 400;
constexpr size_t kStatusChars = 80;
constexpr size_t kLabelChars = 40;
constexpr size_t kCaptionChars = 60;

// Copies src into dst (capacity cap, including the terminating zero). Always leaves dst
// terminated when cap > 0. Returns false when src did not fit; dst then holds its first
// cap - 1 characters.
bool CopyText(char* dst, size_t cap, const char* src);

// Appends src to the text in dst. Returns false, leaving dst unchanged, when the result
// would not fit in cap characters (terminating zero included).
bool AppendText(char* dst, size_t cap, const char* src);

// Length of s, reading at most cap characters (a buffer without a zero ends at cap).
size_t BoundedLength(const char* s, size_t cap);
