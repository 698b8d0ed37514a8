// Checks the built installer as Windows loads it: a 32-bit GUI program that imports only
// system DLLs and carries the whole payload under its catalogue names.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>
#include <vector>

#include "tests/payload/payload_catalogue.h"

namespace {

class MappedImage {
 public:
  MappedImage() {
    file_ = CreateFileA(QUILLANE_SETUP_EXE, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                        0, nullptr);
    if (file_ == INVALID_HANDLE_VALUE) return;
    mapping_ = CreateFileMappingA(file_, nullptr, PAGE_READONLY | SEC_IMAGE, 0, 0, nullptr);
    if (mapping_ != nullptr)
      base_ = static_cast<const BYTE*>(MapViewOfFile(mapping_, FILE_MAP_READ, 0, 0, 0));
  }
  ~MappedImage() {
    if (base_ != nullptr) UnmapViewOfFile(base_);
    if (mapping_ != nullptr) CloseHandle(mapping_);
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  const BYTE* base() const { return base_; }
  const IMAGE_NT_HEADERS32* headers() const {
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base_);
    return reinterpret_cast<const IMAGE_NT_HEADERS32*>(base_ + dos->e_lfanew);
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
  HANDLE mapping_ = nullptr;
  const BYTE* base_ = nullptr;
};

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::tolower(c); });
  return s;
}

TEST(Executable, IsA32BitGuiProgramImportingOnlySystemDlls) {
  MappedImage image;
  ASSERT_NE(nullptr, image.base()) << QUILLANE_SETUP_EXE;
  const IMAGE_NT_HEADERS32* nt = image.headers();
  EXPECT_EQ(IMAGE_NT_SIGNATURE, nt->Signature);
  EXPECT_EQ(IMAGE_FILE_MACHINE_I386, nt->FileHeader.Machine);
  EXPECT_EQ(IMAGE_NT_OPTIONAL_HDR32_MAGIC, nt->OptionalHeader.Magic);
  EXPECT_EQ(IMAGE_SUBSYSTEM_WINDOWS_GUI, nt->OptionalHeader.Subsystem);

  const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll",
                                        "shell32.dll",  "msvcrt.dll", "ole32.dll", "comctl32.dll",
                                        "comdlg32.dll", "shlwapi.dll"};
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  ASSERT_NE(0u, dir.VirtualAddress);
  std::vector<std::string> imported;
  for (auto* desc =
           reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(image.base() + dir.VirtualAddress);
       desc->Name != 0; ++desc) {
    imported.push_back(Lower(reinterpret_cast<const char*>(image.base() + desc->Name)));
  }
  EXPECT_FALSE(imported.empty());
  for (const std::string& dll : imported) EXPECT_TRUE(system.count(dll)) << "imports " << dll;
}

BOOL CALLBACK CollectName(HMODULE, LPCSTR, LPSTR name, LONG_PTR param) {
  if (!IS_INTRESOURCE(name)) reinterpret_cast<std::vector<std::string>*>(param)->push_back(name);
  return TRUE;
}

TEST(Executable, CarriesTheWholePayloadInUsEnglish) {
  HMODULE module = LoadLibraryExA(QUILLANE_SETUP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  std::vector<std::string> names;
  EnumResourceNamesA(module, MAKEINTRESOURCEA(3000), CollectName,
                     reinterpret_cast<LONG_PTR>(&names));
  std::vector<std::string> expected;
  for (const CatalogueEntry& entry : kCatalogue) {
    expected.push_back(entry.resourceName);
    HRSRC found = FindResourceExA(module, MAKEINTRESOURCEA(3000), entry.resourceName,
                                  MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    EXPECT_NE(nullptr, found) << entry.resourceName;
    if (found != nullptr) {
      EXPECT_LT(0u, SizeofResource(module, found)) << entry.resourceName;
    }
  }
  std::sort(names.begin(), names.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(expected, names);
  FreeLibrary(module);
}

}  // namespace

namespace {

std::string ResourceText(HMODULE module, LPCSTR type, LPCSTR name) {
  HRSRC found = FindResourceA(module, name, type);
  if (found == nullptr) return "";
  HGLOBAL loaded = LoadResource(module, found);
  const char* data = static_cast<const char*>(LockResource(loaded));
  return data == nullptr ? "" : std::string(data, SizeofResource(module, found));
}

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904E4\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &length))
    return "";
  return value;
}

TEST(Executable, AsksForAdministratorRightsAndCarriesVersionAndIcon) {
  HMODULE module = LoadLibraryExA(QUILLANE_SETUP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(nullptr, module);
  std::string manifest = ResourceText(module, MAKEINTRESOURCEA(24), MAKEINTRESOURCEA(1));
  EXPECT_NE(std::string::npos, manifest.find("level=\"requireAdministrator\""));
  EXPECT_NE(std::string::npos, manifest.find("supportedOS"));
  EXPECT_EQ(std::string::npos, manifest.find("dpiAware")) << "the skin is drawn in pixels";
  EXPECT_NE(nullptr, FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON));
  EXPECT_NE(nullptr, FindResourceA(module, "MAIN", RT_DIALOG));
  FreeLibrary(module);

  DWORD size = GetFileVersionInfoSizeA(QUILLANE_SETUP_EXE, nullptr);
  ASSERT_NE(0u, size);
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(QUILLANE_SETUP_EXE, 0, size, info.data()));
  EXPECT_EQ("Quillane", VersionString(info, "CompanyName"));
  EXPECT_EQ("Quillane Plugins", VersionString(info, "ProductName"));
}

}  // namespace
