#include "discovery/filter_host_probes.h"

#include <windows.h>

#include <shlobj.h>

#include "discovery/ansi_spelling.h"
#include "discovery/candidate_programs.h"
#include "discovery/existing_folder.h"
#include "discovery/gimprc_pspi_path.h"
#include "discovery/path_rules.h"
#include "discovery/psfilterpdn_settings.h"
#include "discovery/scoped_stdio_file.h"

namespace {

// One settings file at a time, on the discovery thread: too large for its stack.
char settingsBytes[kHostSettingsBytes];

struct HostFolderSink {
  int32_t appendSubfolder;  // for folders whose host searches their sub-folders
  bool loadsX86;
};

// A shell folder of the current user (CSIDL_PERSONAL, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA)
// into out (kPathChars); false, out empty, when the shell does not know it.
bool UserFolder(int csidl, char* out) {
  out[0] = '\0';
  if (SHGetFolderPathA(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, out) == S_OK) return true;
  out[0] = '\0';
  return false;
}

// The 64-bit Program Files, where Paint.NET installs on 64-bit Windows; a 32-bit process
// reads it from ProgramW6432, which 32-bit Windows does not set.
bool ProgramFiles64(char* out) {
  const char* const kNames[] = {"ProgramW6432", "ProgramFiles"};
  for (const char* name : kNames) {
    const DWORD length = GetEnvironmentVariableA(name, out, kPathChars);
    if (length > 0 && length < kPathChars) return true;
  }
  out[0] = '\0';
  return false;
}

bool IsFile(const char* folder, const char* name) {
  char path[kPathChars];
  if (!JoinPath(path, sizeof path, name, folder)) return false;
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// PSFilterPdn in the Effects folder itself or in a folder of its own below it.
bool HoldsPSFilterPdn(const char* effects) {
  return IsFile(effects, "PSFilterPdn.dll") || IsFile(effects, "PSFilterPdn\\PSFilterPdn.dll");
}

// The Effects folder below base, when PSFilterPdn is installed there; adds it.
bool ProbeEffectsFolder(const char* base, const char* effects) {
  char folder[kPathChars];
  if (!JoinPath(folder, sizeof folder, effects, base) || !HoldsPSFilterPdn(folder)) return false;
  AddHostFolder(folder, 1, true, EnterFolder);
  return true;
}

// Reads up to kHostSettingsBytes of the file at base\name into settingsBytes; the size read.
size_t ReadSettings(const char* base, const char* name) {
  char path[kPathChars];
  if (!JoinPath(path, sizeof path, name, base)) return 0;
  ScopedStdioFile file(path, "rb");
  return file ? fread(settingsBytes, 1, sizeof settingsBytes, file.get()) : 0;
}

// A folder from a settings file, in the ANSI code page; one it cannot spell is passed over.
void AddSettingsFolder(void* context, const FolderUnit* folder, bool searchSubfolders) {
  const HostFolderSink* sink = static_cast<const HostFolderSink*>(context);
  WCHAR wide[kPathChars];
  size_t n = 0;
  for (; folder[n] != 0 && n + 1 < kPathChars; ++n) wide[n] = folder[n];
  wide[n] = 0;
  char text[kPathChars];
  if (SpellInCodePage(GetACP(), wide, text, sizeof text) != ERROR_SUCCESS) return;
  AddHostFolder(text, searchSubfolders ? sink->appendSubfolder : 0, sink->loadsX86, EnterFolder);
}

}  // namespace

void FilterHostProbes() {
  char base[kPathChars];
  char documents[kPathChars];
  const bool haveDocuments = UserFolder(CSIDL_PERSONAL, documents);
  bool psFilterPdn = false;
  if (ProgramFiles64(base)) psFilterPdn = ProbeEffectsFolder(base, "paint.net\\Effects");
  if (haveDocuments) {
    psFilterPdn = ProbeEffectsFolder(documents, "paint.net App Files\\Effects") || psFilterPdn;
  }
  // The folders of its settings are searched by PSFilterPdn's 32-bit helper too.
  if (psFilterPdn && haveDocuments) {
    const size_t size = ReadSettings(documents, "paint.net User Files\\PSFilterPdn.xml");
    HostFolderSink sink = {1, true};
    ReadPsFilterPdnSettings(settingsBytes, size, AddSettingsFolder, &sink);
  }
  if (UserFolder(CSIDL_APPDATA, base)) {
    const size_t size = ReadSettings(base, "GIMP\\2.10\\gimprc");
    HostFolderSink sink = {1, false};
    ReadGimprcPspiPath(settingsBytes, size, AddSettingsFolder, &sink);
  }
  if (UserFolder(CSIDL_LOCAL_APPDATA, base) &&
      JoinPath(base, sizeof base, "PhotoDemon\\Data\\8bfPlugins")) {
    AddHostFolder(base, 1, false, EnterFolder);
  }
}
