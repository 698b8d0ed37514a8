// The large synthetic machine's registry, written into the prefix it runs in: about 20,000
// keys and 100,000 values spread over the subtrees discovery searches, under the current user
// and the machine, a few of them under the value names discovery looks for, and the open
// commands that lead to the program folders of the settings-file probes.
#include <windows.h>

#include <stdio.h>

namespace {

constexpr REGSAM kAccess = KEY_ALL_ACCESS | KEY_WOW64_32KEY;

struct Subtree {
  const char* path;
  const char* level1;    // names of the first level below it, a number appended
  const char* findName;  // a value name that discovery takes
  const char* findData;  // ... and its folder
};

const Subtree kSubtrees[] = {
    {"Software\\Quillane", "Build ", "PluginDir", "C:\\Editors\\quillane\\plug-ins"},
    {"Software\\Adobe", "Photoshop ", "PluginPath", "C:\\Editors\\adobe\\plug-ins"},
    {"Software\\Jasc", "Paint Shop Pro ", "PluginPath", "C:\\Editors\\jasc\\plug-ins"},
    {"Software\\Microsoft\\PhotoDraw", "Version ", "InstallDest", "C:\\Editors\\photodraw\\"},
    {"Software\\Megalux", "Ultimate ", "AdobeLoc", "C:\\Editors\\megalux\\plug-ins"},
    {"Software\\Computerinsel", "PhotoLine ", "PluginPath", "C:\\Editors\\computerinsel\\plug-ins"},
    {"Software\\iGrafx", "Image ", "PluginPath", "C:\\Editors\\igrafx\\plug-ins"},
};

constexpr int kLevel1 = 10, kLevel2 = 11, kLevel3 = 12, kValuesPerKey = 5;

long keys = 0, values = 0;

HKEY Create(HKEY parent, const char* name) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(parent, name, 0, nullptr, 0, kAccess, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    fprintf(stderr, "cannot create %s\n", name);
    ExitProcess(1);
  }
  ++keys;
  return key;
}

void SetText(HKEY key, const char* name, const char* text) {
  RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                 static_cast<DWORD>(lstrlenA(text) + 1));
  ++values;
}

// Values that look like folders but that no rule takes, and one that is no text.
void Fill(HKEY key, int n) {
  char name[64], data[128];
  for (int v = 0; v < kValuesPerKey - 1; ++v) {
    snprintf(name, sizeof name, "Setting%d", v);
    snprintf(data, sizeof data, "C:\\Program Files\\Editor\\Data %d\\%d", n, v);
    SetText(key, name, data);
  }
  const DWORD number = static_cast<DWORD>(n);
  RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  ++values;
}

void SeedSubtree(HKEY root, const Subtree& subtree, bool withFinds) {
  HKEY top = Create(root, subtree.path);
  char name[64];
  int n = 0;
  for (int a = 0; a < kLevel1; ++a) {
    snprintf(name, sizeof name, "%s%d", subtree.level1, a);
    HKEY k1 = Create(top, name);
    Fill(k1, n++);
    if (withFinds && a == kLevel1 - 1) SetText(k1, subtree.findName, subtree.findData);
    for (int b = 0; b < kLevel2; ++b) {
      snprintf(name, sizeof name, "Settings %d", b);
      HKEY k2 = Create(k1, name);
      Fill(k2, n++);
      for (int c = 0; c < kLevel3; ++c) {
        snprintf(name, sizeof name, "Recent %d", c);
        HKEY k3 = Create(k2, name);
        Fill(k3, n++);
        RegCloseKey(k3);
      }
      RegCloseKey(k2);
    }
    RegCloseKey(k1);
  }
  RegCloseKey(top);
}

void OpenCommand(const char* progId, const char* command) {
  char path[256];
  snprintf(path, sizeof path, "%s\\shell\\open\\command", progId);
  HKEY key = Create(HKEY_CLASSES_ROOT, path);
  RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                 static_cast<DWORD>(lstrlenA(command) + 1));
  RegCloseKey(key);
}

}  // namespace

int main() {
  for (const Subtree& subtree : kSubtrees) {
    SeedSubtree(HKEY_CURRENT_USER, subtree, true);
    SeedSubtree(HKEY_LOCAL_MACHINE, subtree, false);
  }
  OpenCommand("Photoshop.PlugIn", "\"C:\\Adobe\\Photoshop\\Photoshp.exe\" \"%1\"");
  OpenCommand("CorelPhotoPaint.Image.10", "\"C:\\Corel\\Programs\\photopnt.exe\" \"%1\"");
  OpenCommand("PainterFile", "\"C:\\Painter\\Painter.exe\" \"%1\"");
  OpenCommand("PClassicFile", "\"C:\\PClassic\\PClassic.exe\" \"%1\"");
  printf("seeded %ld keys and %ld values\n", keys, values);
  return 0;
}
