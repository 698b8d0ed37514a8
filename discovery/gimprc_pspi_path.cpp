#include "discovery/gimprc_pspi_path.h"

#include <string.h>

namespace {

bool IsSpace(unsigned char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Past the closing quote of the string whose opening quote is at p; nullptr when the string
// is not closed before end.
const unsigned char* SkipString(const unsigned char* p, const unsigned char* end) {
  for (++p; p < end; ++p) {
    if (*p == '\\') {
      if (++p == end) return nullptr;
    } else if (*p == '"') {
      return p + 1;
    }
  }
  return nullptr;
}

// Each folder of a value: UTF-8 bytes as the escapes give them, up to a ";".
class FolderSplitter {
 public:
  FolderSplitter(HostFolderVisit visit, void* context) : visit_(visit), context_(context) {}

  void Byte(unsigned char b) {
    if (b == ';') {
      Finish();
    } else if (length_ < sizeof bytes_) {
      bytes_[length_++] = b;
    } else {
      tooLong_ = true;
    }
  }

  void Finish() {
    FolderTextBuilder folder;
    folder.Reset();
    if (tooLong_) folder.Spoil();
    const unsigned char* at = bytes_;
    const unsigned char* end = bytes_ + length_;
    while (at < end) {
      uint32_t c;
      if (DecodeUtf8(&at, end, &c)) {
        folder.Add(c);
      } else {
        folder.Spoil();
      }
    }
    if (folder.Usable()) visit_(context_, folder.Text(), true);
    length_ = 0;
    tooLong_ = false;
  }

 private:
  HostFolderVisit visit_;
  void* context_;
  // A folder of kPathChars UTF-16 units takes at most three bytes for each.
  unsigned char bytes_[3 * kPathChars];
  size_t length_ = 0;
  bool tooLong_ = false;
};

void ReadValue(const unsigned char* p, const unsigned char* end, HostFolderVisit visit,
               void* context) {
  FolderSplitter folders(visit, context);
  while (p < end) {
    if (*p != '\\') {
      folders.Byte(*p++);
      continue;
    }
    const unsigned char e = *++p;  // the value ends at its closing quote, never after "\"
    ++p;
    switch (e) {
      case 'n': folders.Byte('\n'); break;
      case 't': folders.Byte('\t'); break;
      case 'r': folders.Byte('\r'); break;
      case 'b': folders.Byte('\b'); break;
      case 'f': folders.Byte('\f'); break;
      case '\\':
      case '"': folders.Byte(e); break;
      default:
        if (e >= '0' && e <= '7') {
          unsigned value = e - '0';
          for (int i = 0; i < 2 && p < end && *p >= '0' && *p <= '7'; ++i) {
            value = value * 8 + (*p++ - '0');
          }
          folders.Byte(static_cast<unsigned char>(value));
        } else {
          folders.Byte('\\');
          folders.Byte(e);
        }
    }
  }
  folders.Finish();
}

}  // namespace

void ReadGimprcPspiPath(const char* data, size_t size, HostFolderVisit visit, void* context) {
  static const char kName[] = "pspi-path";
  const size_t nameLength = sizeof kName - 1;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(data);
  const unsigned char* const end = p + size;
  const unsigned char* value = nullptr;
  const unsigned char* valueEnd = nullptr;
  int depth = 0;
  while (p < end) {
    if (*p == '#') {
      while (p < end && *p != '\n') ++p;
    } else if (*p == '"') {
      p = SkipString(p, end);
      if (p == nullptr) break;  // the rest of the file is inside an open string
    } else if (*p == ')') {
      if (depth > 0) --depth;
      ++p;
    } else if (*p != '(') {
      ++p;
    } else {
      ++p;
      if (++depth != 1) continue;
      while (p < end && IsSpace(*p)) ++p;
      if (static_cast<size_t>(end - p) <= nameLength || memcmp(p, kName, nameLength) != 0 ||
          (!IsSpace(p[nameLength]) && p[nameLength] != '"')) {
        continue;
      }
      p += nameLength;
      while (p < end && IsSpace(*p)) ++p;
      if (p == end || *p != '"') continue;
      const unsigned char* start = p + 1;
      p = SkipString(p, end);
      if (p == nullptr) break;
      const unsigned char* stringEnd = p - 1;
      while (p < end && IsSpace(*p)) ++p;
      if (p < end && *p == ')') {
        value = start;
        valueEnd = stringEnd;
        --depth;
        ++p;
      }
    }
  }
  if (value != nullptr) ReadValue(value, valueEnd, visit, context);
}
