#pragma once

#include <windows.h>

#include <stddef.h>

#include "text/text_buffer.h"

// The custom resource type every payload file is embedded under.
constexpr WORD kPayloadResourceType = 3000;

// More than the payload holds, so every file of a run has its place in the report.
constexpr size_t kReportEntries = 32;

// A bounded list of a run's entries, filled in enumeration order. Entries beyond its capacity
// are not stored but counted in lost, so a full list never reads as an empty one.
template <typename Entry>
struct ReportList {
  Entry entries[kReportEntries];
  size_t count;
  size_t lost;

  bool add(const Entry& entry) {
    if (count == kReportEntries) {
      ++lost;
      return false;
    }
    entries[count++] = entry;
    return true;
  }
  bool empty() const { return count == 0 && lost == 0; }
  size_t size() const { return count; }
  const Entry& operator[](size_t i) const { return entries[i]; }
  const Entry* begin() const { return entries; }
  const Entry* end() const { return entries + count; }
};

struct PayloadFileName {
  char text[kPathChars];
};

struct PayloadFailure {
  char fileName[kPathChars];  // the file name it maps to, or the resource name when it has none
  DWORD error;                // the system's error code
};

// What one extraction run did, so the dialog can tell the user. Zero-initialise it before a
// run (RunPayloadExtraction does).
struct ExtractionReport {
  ReportList<PayloadFileName> written;   // file names written, in enumeration order
  ReportList<PayloadFileName> excluded;  // file names left out by the exclusion list
  ReportList<PayloadFailure> failed;
};

// Writes every type-3000 resource of the module that the exclusion list does not exclude
// into the folder, which must end with a backslash. Failures are recorded and the run goes
// on with the next resource; a file whose path would reach MAX_PATH fails with
// ERROR_FILENAME_EXCED_RANGE and is not written.
// The report is filled in place: it is too large to be returned by value on every path.
void RunPayloadExtraction(HMODULE module, const char* installFolder, ExtractionReport* report);

// The enumeration callback; param points to the run's state. Always returns TRUE.
BOOL CALLBACK ExtractPayloadEntry(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

// Writes data to path. A file that is not there yet is written in place, and removed again
// if it cannot be written whole. An existing file is replaced through a temporary file in
// the folder only once that is completely written, flushed and closed, so it is never left
// cut short; a read-only one is not replaced (ERROR_ACCESS_DENIED), as Windows refuses to.
// Returns ERROR_SUCCESS when the file is in place, else the system's error code, with any
// old file as it was.
DWORD WritePayloadFile(const char* folder, const char* path, const void* data, DWORD size);
