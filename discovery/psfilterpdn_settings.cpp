#include "discovery/psfilterpdn_settings.h"

#include <string.h>

namespace {

enum class Element {
  kOther,
  kNewRoot,         // PSFilterPdnSettings
  kDirectories,     // SearchDirectories
  kFolder,          // SearchDirectories/string
  kSubfolders,      // SearchSubdirectories
  kOldRoot,         // settings
  kOldDirectories,  // searchDirs
  kOldSubfolders,   // searchSubDirs
};

// Deeper nesting and longer names than this file ever has end the reading.
constexpr int kDepthLimit = 16;
constexpr size_t kNameChars = 64;
constexpr size_t kFlagChars = 8;

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

class SettingsReader {
 public:
  SettingsReader(const char* data, size_t size)
      : p_(reinterpret_cast<const unsigned char*>(data)), end_(p_ + size) {}

  // Reads the whole text; delivers folders to visit when it is given.
  void Run(HostFolderVisit visit, void* context, bool searchSubfolders) {
    visit_ = visit;
    context_ = context;
    subfolders_ = searchSubfolders;
    if (end_ - p_ >= 3 && p_[0] == 0xEF && p_[1] == 0xBB && p_[2] == 0xBF) p_ += 3;
    while (p_ < end_) {
      if (*p_ == '<') {
        if (!Markup()) return;
      } else {
        CharData();
      }
    }
  }

  bool searchSubfolders() const { return subfolders_; }

 private:
  Element Current() const { return depth_ > 0 ? stack_[depth_ - 1] : Element::kOther; }

  // Finds text (of length n) from the current position; moves past it. False at the end.
  bool SkipPast(const char* text, size_t n) {
    for (const unsigned char* at = p_; static_cast<size_t>(end_ - at) >= n; ++at) {
      if (memcmp(at, text, n) == 0) {
        p_ = at + n;
        return true;
      }
    }
    p_ = end_;
    return false;
  }

  bool StartsWith(const char* text) const {
    const size_t n = strlen(text);
    return static_cast<size_t>(end_ - p_) >= n && memcmp(p_, text, n) == 0;
  }

  // Reads a name up to white space, "/", ">" or the end into name_; false when it is empty
  // or too long.
  bool ReadName() {
    size_t n = 0;
    while (p_ < end_ && !IsSpace(*p_) && *p_ != '/' && *p_ != '>' && *p_ != '<') {
      if (n + 1 >= kNameChars) return false;
      name_[n++] = static_cast<char>(*p_++);
    }
    name_[n] = '\0';
    return n > 0;
  }

  const char* LocalName() const {
    const char* colon = strrchr(name_, ':');
    return colon != nullptr ? colon + 1 : name_;
  }

  bool Markup() {
    ++p_;
    if (StartsWith("?")) return SkipPast("?>", 2);
    if (StartsWith("!--")) return SkipPast("-->", 3);
    if (StartsWith("![CDATA[")) {
      p_ += 8;
      while (p_ < end_ && !StartsWith("]]>")) Character();
      return SkipPast("]]>", 3);
    }
    if (StartsWith("!")) return SkipPast(">", 1);
    if (StartsWith("/")) {
      ++p_;
      if (!ReadName()) return false;
      while (p_ < end_ && IsSpace(*p_)) ++p_;
      if (p_ == end_ || *p_ != '>' || depth_ == 0 || strcmp(names_[depth_ - 1], LocalName()) != 0) {
        return false;
      }
      ++p_;
      End();
      return true;
    }
    if (!ReadName()) return false;
    // Attributes are passed over; a ">" inside a quoted value does not end the tag.
    unsigned char quote = 0;
    bool empty = false;
    for (;; ++p_) {
      if (p_ == end_) return false;
      if (quote != 0) {
        if (*p_ == quote) quote = 0;
      } else if (*p_ == '"' || *p_ == '\'') {
        quote = *p_;
      } else if (*p_ == '<') {
        return false;
      } else if (*p_ == '>') {
        empty = p_[-1] == '/';
        break;
      }
    }
    ++p_;
    if (!Start()) return false;
    if (empty) End();
    return true;
  }

  bool Start() {
    if (depth_ == kDepthLimit) return false;
    const char* local = LocalName();
    const Element parent = Current();
    Element e = Element::kOther;
    if (depth_ == 0) {
      if (strcmp(local, "PSFilterPdnSettings") == 0) {
        e = Element::kNewRoot;
      } else if (strcmp(local, "settings") == 0) {
        e = Element::kOldRoot;
      } else {
        return false;  // not this host's settings
      }
    } else if (parent == Element::kNewRoot) {
      if (strcmp(local, "SearchDirectories") == 0) e = Element::kDirectories;
      if (strcmp(local, "SearchSubdirectories") == 0) e = Element::kSubfolders;
    } else if (parent == Element::kDirectories) {
      if (strcmp(local, "string") == 0) e = Element::kFolder;
    } else if (parent == Element::kOldRoot) {
      if (strcmp(local, "searchDirs") == 0) e = Element::kOldDirectories;
      if (strcmp(local, "searchSubDirs") == 0) e = Element::kOldSubfolders;
    } else if (parent == Element::kFolder) {
      folder_.Spoil();  // markup inside a folder's text
    } else if (parent == Element::kOldDirectories) {
      piece_.Spoil();
    }
    if (e == Element::kFolder) folder_.Reset();
    if (e == Element::kOldDirectories) {
      piece_.Reset();
      pending_.Reset();
      havePending_ = false;
    }
    if (e == Element::kSubfolders || e == Element::kOldSubfolders) flagLength_ = 0;
    CopyText(names_[depth_], kNameChars, local);
    stack_[depth_++] = e;
    return true;
  }

  void End() {
    const Element e = stack_[--depth_];
    if (e == Element::kFolder) Deliver(folder_);
    if (e == Element::kOldDirectories) {
      EndPiece();
      if (havePending_) Deliver(pending_);
    }
    // Only the first pass reads the flag; the second delivers every folder with its value.
    if (visit_ == nullptr && (e == Element::kSubfolders || e == Element::kOldSubfolders)) {
      flag_[flagLength_ < kFlagChars ? flagLength_ : 0] = '\0';
      if (strcmp(flag_, "true") == 0 || strcmp(flag_, "1") == 0) subfolders_ = true;
      if (strcmp(flag_, "false") == 0 || strcmp(flag_, "0") == 0) subfolders_ = false;
    }
  }

  void Deliver(const FolderTextBuilder& folder) {
    if (visit_ != nullptr && folder.Usable()) visit_(context_, folder.Text(), subfolders_);
  }

  // The old list: a piece that is not rooted continues the folder before it, comma and all.
  void EndPiece() {
    if (piece_.Length() == 0) {
      if (havePending_) pending_.Append(piece_);  // a spoiled empty piece spoils its folder
      piece_.Reset();
      return;
    }
    if (!havePending_) {
      pending_ = piece_;
      havePending_ = true;
    } else if (piece_.Rooted()) {
      Deliver(pending_);
      pending_ = piece_;
    } else {
      pending_.Add(',');
      pending_.Append(piece_);
    }
    piece_.Reset();
  }

  void Text(uint32_t c) {
    switch (Current()) {
      case Element::kFolder: folder_.Add(c); break;
      case Element::kOldDirectories:
        if (c == ',') {
          EndPiece();
        } else {
          piece_.Add(c);
        }
        break;
      case Element::kSubfolders:
      case Element::kOldSubfolders:
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') break;
        if (flagLength_ + 1 < kFlagChars && c < 0x80) {
          flag_[flagLength_++] = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
        } else {
          flagLength_ = kFlagChars;  // no value this file knows
        }
        break;
      default: break;
    }
  }

  void SpoilText() {
    if (Current() == Element::kFolder) folder_.Spoil();
    if (Current() == Element::kOldDirectories) piece_.Spoil();
    if (Current() == Element::kSubfolders || Current() == Element::kOldSubfolders) {
      flagLength_ = kFlagChars;
    }
  }

  void Character() {
    uint32_t c;
    if (DecodeUtf8(&p_, end_, &c)) {
      Text(c);
    } else {
      SpoilText();
    }
  }

  // "&name;" or "&#digits;" or "&#xhex;"; anything else spoils the text it is in.
  void Reference() {
    const unsigned char* start = ++p_;
    const unsigned char* semicolon = nullptr;
    // A reference is short and made of letters, digits and "#" only. Where something else
    // comes first, only the "&" is taken: the rest, a comma that ends a folder among it, is
    // read as text, so a file cut short reads as the whole one does up to the cut.
    for (const unsigned char* at = start; at < end_ && at - start <= 10; ++at) {
      if (*at == ';') {
        semicolon = at;
        break;
      }
      const bool nameChar = (*at >= 'a' && *at <= 'z') || (*at >= 'A' && *at <= 'Z') ||
                            (*at >= '0' && *at <= '9') || *at == '#';
      if (!nameChar) break;
    }
    if (semicolon == nullptr) {
      SpoilText();
      return;
    }
    p_ = semicolon + 1;
    const size_t n = static_cast<size_t>(semicolon - start);
    const char* name = reinterpret_cast<const char*>(start);
    static const struct {
      const char* name;
      uint32_t c;
    } kEntities[] = {{"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"quot", '"'}, {"apos", '\''}};
    for (const auto& entity : kEntities) {
      if (strlen(entity.name) == n && memcmp(entity.name, name, n) == 0) {
        Text(entity.c);
        return;
      }
    }
    if (n < 2 || name[0] != '#') {
      SpoilText();
      return;
    }
    const bool hex = name[1] == 'x';
    uint32_t value = 0;
    size_t digits = 0;
    for (size_t i = hex ? 2 : 1; i < n; ++i, ++digits) {
      const char d = name[i];
      uint32_t v;
      if (d >= '0' && d <= '9') {
        v = static_cast<uint32_t>(d - '0');
      } else if (hex && d >= 'a' && d <= 'f') {
        v = static_cast<uint32_t>(d - 'a' + 10);
      } else if (hex && d >= 'A' && d <= 'F') {
        v = static_cast<uint32_t>(d - 'A' + 10);
      } else {
        SpoilText();
        return;
      }
      value = value * (hex ? 16 : 10) + v;  // at most 8 digits: no overflow
    }
    if (digits == 0) {
      SpoilText();
      return;
    }
    Text(value);  // a value that is no character spoils the text there
  }

  void CharData() {
    while (p_ < end_ && *p_ != '<') {
      if (*p_ == '&') {
        Reference();
      } else {
        Character();
      }
    }
  }

  const unsigned char* p_;
  const unsigned char* end_;
  HostFolderVisit visit_ = nullptr;
  void* context_ = nullptr;
  bool subfolders_ = true;
  int depth_ = 0;
  Element stack_[kDepthLimit] = {};
  char names_[kDepthLimit][kNameChars] = {};
  char name_[kNameChars] = {};
  FolderTextBuilder folder_;
  FolderTextBuilder piece_;
  FolderTextBuilder pending_;
  bool havePending_ = false;
  char flag_[kFlagChars] = {};
  size_t flagLength_ = 0;
};

}  // namespace

void ReadPsFilterPdnSettings(const char* data, size_t size, HostFolderVisit visit, void* context) {
  // The flag follows the folders in the file but applies to all of them: read it first.
  SettingsReader flagPass(data, size);
  flagPass.Run(nullptr, nullptr, true);
  SettingsReader folderPass(data, size);
  folderPass.Run(visit, context, flagPass.searchSubfolders());
}
