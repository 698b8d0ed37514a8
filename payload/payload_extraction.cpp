#include "payload/payload_extraction.h"

#include <string.h>

#include "payload/exclusion_list.h"
#include "payload/payload_names.h"
#include "platform/scoped_win32.h"
#include "text/text_buffer.h"

namespace {

struct ExtractionRun {
  const char* folder;
  ExtractionReport* report;
};

// Room for a folder of kPathChars and a file name.
constexpr size_t kTargetChars = 500;

// A failure of the system that left no error code still must not read as success.
DWORD LastErrorOr(DWORD fallback) {
  DWORD error = GetLastError();
  return error != ERROR_SUCCESS ? error : fallback;
}

// Large files go in pieces: timed under Wine, one write of a whole 13 MB resource now and
// then took several times as long, pieces of a megabyte did not.
constexpr DWORD kWritePiece = 1 << 20;

DWORD WriteAll(HANDLE file, const void* data, DWORD size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    DWORD done = 0;
    const DWORD piece = size < kWritePiece ? size : kWritePiece;
    if (!WriteFile(file, at, piece, &done, nullptr)) return LastErrorOr(ERROR_WRITE_FAULT);
    if (done == 0) return ERROR_WRITE_FAULT;
    at += done;
    size -= done;
  }
  return ERROR_SUCCESS;
}

void AddFailure(ExtractionReport* report, const char* fileName, DWORD error) {
  PayloadFailure failure;
  CopyText(failure.fileName, sizeof failure.fileName, fileName);
  failure.error = error;
  report->failed.add(failure);
}

void AddName(ReportList<PayloadFileName>* list, const char* fileName) {
  PayloadFileName name;
  CopyText(name.text, sizeof name.text, fileName);
  list->add(name);
}

bool AlreadyThere(DWORD error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// Writes data whole and closes the file, the close checked too: a write the system deferred
// can report its failure there. A file not written whole is removed, so no cut-short plug-in
// is left for the host to load.
DWORD WriteAndClose(ScopedFileHandle* file, const char* path, const void* data, DWORD size,
                    bool flush) {
  DWORD error = WriteAll(file->get(), data, size);
  if (error == ERROR_SUCCESS && flush && !FlushFileBuffers(file->get()))
    error = LastErrorOr(ERROR_WRITE_FAULT);
  const DWORD closed = file->close();
  if (error == ERROR_SUCCESS) error = closed;
  if (error != ERROR_SUCCESS) DeleteFileA(path);
  return error;
}

// Length of the temporary file's name: "qpl", four hex digits, ".tmp".
constexpr size_t kTempNameChars = 11;
constexpr int kTempAttempts = 100;

// Creates a temporary file of our own in the folder. CREATE_NEW never opens what is already
// there, whether another run's file or one planted under a name we might pick.
HANDLE CreateTempFile(const char* folder, char* temp, DWORD* error) {
  if (strlen(folder) + kTempNameChars >= MAX_PATH) {
    *error = ERROR_FILENAME_EXCED_RANGE;
    return INVALID_HANDLE_VALUE;
  }
  const DWORD seed = GetTickCount();
  for (int attempt = 0; attempt < kTempAttempts; ++attempt) {
    wsprintfA(temp, "%sqpl%04X.tmp", folder, static_cast<unsigned>((seed + attempt) & 0xFFFF));
    HANDLE file =
        CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    *error = LastErrorOr(ERROR_CANNOT_MAKE);
    if (!AlreadyThere(*error)) return INVALID_HANDLE_VALUE;
  }
  return INVALID_HANDLE_VALUE;
}

// An existing file is replaced only once its successor is completely written, flushed and
// closed, so a failed write or a power cut never costs the user the plug-in they had.
DWORD ReplaceExisting(const char* folder, const char* path, DWORD attributes, const void* data,
                      DWORD size) {
  // Windows refuses to replace a read-only file (Wine would replace it): the user's choice
  // to protect it stands, on every system.
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0)
    return ERROR_ACCESS_DENIED;
  char temp[MAX_PATH];
  DWORD error = ERROR_SUCCESS;
  ScopedFileHandle file(CreateTempFile(folder, temp, &error));
  if (file.get() == INVALID_HANDLE_VALUE) return error;
  // On disk before the rename: otherwise a power cut could leave the new name on an empty
  // file and the old plug-in gone.
  error = WriteAndClose(&file, temp, data, size, true);
  if (error != ERROR_SUCCESS) return error;
  if (!MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    error = LastErrorOr(ERROR_WRITE_FAULT);
    DeleteFileA(temp);
  }
  return error;
}

}  // namespace

DWORD WritePayloadFile(const char* folder, const char* path, const void* data, DWORD size) {
  // Nothing there yet (the first install): written in place, as nothing can be lost, and
  // not flushed, as a copy is not.
  DWORD attributes = GetFileAttributesA(path);
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    ScopedFileHandle file(
        CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() != INVALID_HANDLE_VALUE) return WriteAndClose(&file, path, data, size, false);
    const DWORD error = LastErrorOr(ERROR_CANNOT_MAKE);
    // Made by someone else since it was looked for: it is replaced like any existing file.
    if (!AlreadyThere(error)) return error;
    attributes = GetFileAttributesA(path);
  }
  return ReplaceExisting(folder, path, attributes, data, size);
}

BOOL CALLBACK ExtractPayloadEntry(HMODULE module, LPCSTR type, LPSTR name, LONG_PTR param) {
  ExtractionRun& run = *reinterpret_cast<ExtractionRun*>(param);
  // The enumeration's name buffer belongs to the system: map a copy.
  char fileName[kPathChars];
  if (IS_INTRESOURCE(name)) {
    wsprintfA(fileName, "#%u", static_cast<unsigned>(reinterpret_cast<UINT_PTR>(name)));
    AddFailure(run.report, fileName, ERROR_INVALID_NAME);
    return TRUE;
  }
  if (!CopyText(fileName, sizeof fileName, name)) {
    AddFailure(run.report, fileName, ERROR_FILENAME_EXCED_RANGE);
    return TRUE;
  }
  PayloadNameToFileName(fileName);
  if (IsExcluded(fileName)) {
    AddName(&run.report->excluded, fileName);
    return TRUE;
  }

  // Each error is read at once, before anything else can overwrite the thread's last error.
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) {
    const DWORD error = LastErrorOr(ERROR_RESOURCE_NAME_NOT_FOUND);
    AddFailure(run.report, fileName, error);
    return TRUE;
  }
  // An empty resource sets no error of its own.
  const DWORD size = SizeofResource(module, found);
  if (size == 0) {
    AddFailure(run.report, fileName, ERROR_RESOURCE_DATA_NOT_FOUND);
    return TRUE;
  }
  HGLOBAL loaded = LoadResource(module, found);
  const void* data = loaded == nullptr ? nullptr : LockResource(loaded);
  if (data == nullptr) {
    const DWORD error = LastErrorOr(ERROR_RESOURCE_DATA_NOT_FOUND);
    AddFailure(run.report, fileName, error);
    return TRUE;
  }

  char target[kTargetChars];
  target[0] = '\0';
  // A path the system's ANSI functions cannot take whole is not written at all: some would
  // cut it, others (Wine) would write where Windows cannot.
  if (!AppendText(target, sizeof target, run.folder) ||
      !AppendText(target, sizeof target, fileName) || strlen(target) >= MAX_PATH) {
    AddFailure(run.report, fileName, ERROR_FILENAME_EXCED_RANGE);
    return TRUE;
  }
  DWORD error = WritePayloadFile(run.folder, target, data, size);
  if (error == ERROR_SUCCESS) {
    AddName(&run.report->written, fileName);
  } else {
    AddFailure(run.report, fileName, error);
  }
  return TRUE;
}

void RunPayloadExtraction(HMODULE module, const char* installFolder, ExtractionReport* report) {
  ZeroMemory(report, sizeof *report);
  ExtractionRun run{installFolder, report};
  if (!EnumResourceNamesA(module, MAKEINTRESOURCEA(kPayloadResourceType), ExtractPayloadEntry,
                          reinterpret_cast<LONG_PTR>(&run)) &&
      report->written.empty() && report->excluded.empty() && report->failed.empty()) {
    // No payload at all in the module: nothing could be installed.
    const DWORD error = LastErrorOr(ERROR_RESOURCE_TYPE_NOT_FOUND);
    AddFailure(report, "", error);
  }
}
