#pragma once

#include <windows.h>

#include <stddef.h>

#include "app/install_texts.h"
#include "app/system_error.h"
#include "payload/payload_extraction.h"
#include "text/text_buffer.h"

// What one Install into the chosen folder did.
enum class InstallOutcome {
  kInstalled,  // every file of the chosen filters was written
  kRefused,    // a folder Install must not write into: Message() says which and why
  kDeclined,   // the user answered No to the question before a 64-bit editor's folder
  kFailed,     // the folder could not be made or files were not written: Message() says so
};

// How the install asks its one question: Yes (true) or No to the text. The window runs it as
// a modal loop of its own.
using AskYesNo = bool (*)(void* context, const char* text);

// The install into one chosen folder: the folder text checked and refused where Install must
// not write, the question before a 64-bit editor's folder, the folder made when missing, the
// files of the chosen filters written, and the message that names what went wrong. One runs
// at a time; its report buffers are too large for the stack. A zeroed object is one not yet
// run.
class FolderInstall {
 public:
  // Up to the writing: reads folder (a drop-down entry) into InstallFolder, refuses a text
  // Install must not write into, and asks when the files on disk say the folder's editor is
  // 64-bit. listed: the candidate list entry the folder came from, or -1 (picked by the user).
  // kInstalled here means the folder may be written to.
  InstallOutcome Check(const char* folder, int listed, AskYesNo ask, void* context);
  // Makes the folder when missing, one level deep, and writes every payload file but those
  // of the excluded filters' keys.
  InstallOutcome Write(HINSTANCE program, const char* const* excludedKeys, size_t excludedCount);

  const char* Folder() const { return InstallFolder; }
  // What to tell the user after kRefused or kFailed.
  const char* Message() const { return problemText; }

 private:
  bool EnterOrCreateFolder();
  bool ExtractFiles(HINSTANCE program);

  char InstallFolder[kPathChars];
  char problemText[kMessageChars];
  ExtractionReport extractionReport;
  char failureReasons[kReportEntries][kSystemErrorChars];
};
