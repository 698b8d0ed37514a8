#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The custom resource type every payload file is embedded under.
constexpr WORD kPayloadResourceType = 3000;

struct PayloadFailure {
  std::string fileName;  // the file name it maps to, or the resource name when it has none
  DWORD error;           // the system's error code
};

// What one extraction run did, so the dialog can tell the user.
struct ExtractionReport {
  std::vector<std::string> written;   // file names written, in enumeration order
  std::vector<std::string> excluded;  // file names left out by the exclusion list
  std::vector<PayloadFailure> failed;
};

// Writes every type-3000 resource of the module that the exclusion list does not exclude
// into the folder, which must end with a backslash. Failures are recorded and the run goes
// on with the next resource; a file whose path would reach MAX_PATH fails with
// ERROR_FILENAME_EXCED_RANGE and is not written.
ExtractionReport RunPayloadExtraction(HMODULE module, const char* installFolder);

// The enumeration callback; param points to the run's state. Always returns TRUE.
BOOL CALLBACK ExtractPayloadEntry(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param);

// Writes data to path through a temporary file in the same folder that replaces the old
// file only once it is completely written and closed, so an existing file is never left
// cut short. A read-only file is not replaced (ERROR_ACCESS_DENIED), as Windows refuses to.
// On failure returns the system's error code and leaves any old file as it was; returns
// ERROR_SUCCESS when the file is in place.
DWORD ReplaceFileContents(const char* folder, const char* path, const void* data, DWORD size);
