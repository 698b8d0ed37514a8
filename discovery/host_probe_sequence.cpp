#include "discovery/host_probe_sequence.h"

#include <windows.h>

#include "discovery/existing_folder.h"
#include "discovery/filter_host_probes.h"
#include "discovery/path_rules.h"
#include "discovery/registry_search.h"
#include "discovery/search_stop.h"
#include "discovery/settings_probes.h"
#include "text/text_buffer.h"

namespace {

struct RegistryProbe {
  const char* firstWord;
  const char* secondWord;
  const char* keyPathFilter;
  const char* valueNameFilter;
  const char* tail;
};

const RegistryProbe kRegistryProbes[] = {
    {"software", "quillane", "", nullptr, nullptr},
    {"software", "adobe", "photoshop", nullptr, nullptr},
    {"software", "jasc", "paint", nullptr, nullptr},
    {"software", "microsoft\\photodraw", "", "installdest", "photodraw\\plugins"},
    {"software", "megalux", "", "adobeloc", nullptr},
    {"software", "computerinsel", "photoline", nullptr, nullptr},
    {"software", "igrafx", "image", nullptr, nullptr},
};

struct PreferenceProbe {
  const char* progId;
  const char* prefix;
  const char* suffix;
  const char* keyWord;
  int32_t levelsUp;
};

// The PhotoPaint 7 to 9 ProgIDs end with a blank that is part of their key names.
const PreferenceProbe kPreferenceProbes[] = {
    {"Photoshop.PlugIn", "photos", ".ini", "plugindirectory", 0},
    {"Fireworks.Doc.2", "fireworks 2 preferences", ".txt", "extraphotoshop", 0},
    {"Fireworks.Doc.3", "fireworks 3 preferences", ".txt", "extraphotoshop", 0},
    {"Fireworks.Doc.4", "fireworks 4 preferences", ".txt", "extraphotoshop", 0},
    {"Fireworks.Doc.5", "fireworks 5 preferences", ".txt", "extraphotoshop", 0},
    {"CorelPhotoPaint.Image.7 ", "photop", ".ini", "dirs1", 1},
    {"CorelPhotoPaint.Image.8 ", "photop", ".ini", "dirs1", 1},
    {"CorelPhotoPaint.Image.9 ", "photop", ".ini", "dirs1", 1},
    {"CorelPhotoPaint.Image.10", "photop", ".ini", "dirs1", 1},
};

enum class ProgramFolderAction { kAddFolder, kReadSettings };

struct ProgramFolderProbe {
  HKEY root;
  const char* keyPath;
  const char* subPath;
  const char* name;
  ProgramFolderAction action;
};

const ProgramFolderProbe kProgramFolderProbes[] = {
    {HKEY_CLASSES_ROOT, "PI3.Image", "shell\\open\\command", "plugin",
     ProgramFolderAction::kAddFolder},
    {HKEY_CLASSES_ROOT, "PainterFile", "shell\\open\\command", "painter.set",
     ProgramFolderAction::kReadSettings},
    {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths", "Painter6.exe",
     "plugins", ProgramFolderAction::kAddFolder},
    {HKEY_CLASSES_ROOT, "PClassicFile", "shell\\open\\command", "pclassic.set",
     ProgramFolderAction::kReadSettings},
};

}  // namespace

// Each walk ends at its next item once the search is asked to stop; the steps after it are
// not begun.
void HostProbeSequence() {
  for (const RegistryProbe& probe : kRegistryProbes) {
    if (SearchStopRequested()) return;
    RegistryTreeSearch(probe.firstWord, probe.secondWord, probe.keyPathFilter,
                       probe.valueNameFilter, probe.tail);
  }
  for (const PreferenceProbe& probe : kPreferenceProbes) {
    if (SearchStopRequested()) return;
    PreferenceFileProbe(probe.progId, probe.prefix, probe.suffix, probe.keyWord, probe.levelsUp);
  }
  WindowsIniProbe("ulead32.ini", "plugindir");
  char folder[kPathChars];
  char program[kPathChars];
  for (const ProgramFolderProbe& probe : kProgramFolderProbes) {
    if (SearchStopRequested()) return;
    if (!FindAppFolder(probe.root, probe.keyPath, probe.subPath, folder, sizeof folder, program) ||
        !JoinPath(folder, sizeof folder, probe.name)) {
      continue;
    }
    if (probe.action == ProgramFolderAction::kAddFolder) {
      AddProgramFolder(folder, program);
    } else {
      BinarySettingsProbe(folder, program);
    }
  }
  if (SearchStopRequested()) return;
  FilterHostProbes();
}
