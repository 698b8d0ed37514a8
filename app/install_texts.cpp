#include "app/install_texts.h"

#include <string.h>

namespace {

// The texts are built in char for the ANSI message boxes and in wchar_t for the folder
// picker's, which names the folder as the system spells it. Plain joins: a formatting routine
// would bring a whole printf engine into the download.

template <typename Char>
size_t TextLength(const Char* text) {
  size_t length = 0;
  while (text[length] != 0) ++length;
  return length;
}

// Appends the first length characters of src as far as they fit, so a long text is cut rather
// than dropped whole. The installer's own pieces are ASCII, so they widen one for one.
template <typename Char, typename From>
bool AppendFirst(Char* out, size_t cap, const From* src, size_t length, bool ok) {
  size_t have = 0;
  while (have < cap && out[have] != 0) ++have;
  if (have == cap) return false;
  const size_t room = cap - have - 1;
  const size_t take = length < room ? length : room;
  for (size_t i = 0; i < take; ++i) out[have + i] = static_cast<Char>(src[i]);
  out[have + take] = 0;
  return ok && take == length;
}

template <typename Char, typename From>
bool Append(Char* out, size_t cap, const From* src, bool ok) {
  return AppendFirst(out, cap, src, TextLength(src), ok);
}

template <typename Char>
bool AppendReason(Char* out, size_t cap, const Char* reason, bool ok) {
  size_t length = TextLength(reason);
  while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n' ||
                        reason[length - 1] == ' ' || reason[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return Append(out, cap, "unknown error", ok);
  return AppendFirst(out, cap, reason, length, ok);
}

template <typename Char>
bool AnotherFolderText(Char* out, size_t cap, const Char* folder, const char* problem,
                       const Char* reason) {
  if (cap == 0) return false;
  out[0] = 0;
  bool ok = Append(out, cap, "The folder\n\n", true);
  ok = Append(out, cap, folder, ok);
  ok = Append(out, cap, "\n\n", ok);
  ok = Append(out, cap, problem, ok);
  ok = Append(out, cap, ": ", ok);
  ok = AppendReason(out, cap, reason, ok);
  return Append(out, cap, ".\n\nPlease choose another folder.", ok);
}

}  // namespace

bool TrimReason(char* out, size_t cap, const char* reason) {
  if (cap == 0) return false;
  out[0] = '\0';
  return AppendReason(out, cap, reason, true);
}

bool ChooseAnotherFolderText(char* out, size_t cap, const char* folder, const char* problem,
                             const char* reason) {
  return AnotherFolderText(out, cap, folder, problem, reason);
}

bool ChooseAnotherFolderText(wchar_t* out, size_t cap, const wchar_t* folder, const char* problem,
                             const wchar_t* reason) {
  return AnotherFolderText(out, cap, folder, problem, reason);
}

bool FolderProblemText(char* out, size_t cap, const char* folder, const char* reason) {
  return ChooseAnotherFolderText(out, cap, folder, "can be neither opened nor created", reason);
}

bool RefusedFolderText(char* out, size_t cap, const char* folder, FolderTextProblem problem) {
  return ChooseAnotherFolderText(out, cap, folder, "cannot be used",
                                 FolderTextProblemReason(problem));
}

bool FilesProblemText(char* out, size_t cap, const char* folder, const FileProblem* files,
                      size_t count) {
  if (cap == 0) return false;
  out[0] = '\0';
  bool ok = Append(out, cap, "These files could not be written to the folder\n\n", true);
  ok = Append(out, cap, folder, ok);
  ok = Append(out, cap, "\n\n", ok);
  for (size_t i = 0; i < count; ++i) {
    const char* name =
        files[i].fileName[0] == '\0' ? "(the installer's own files)" : files[i].fileName;
    ok = Append(out, cap, name, ok);
    ok = Append(out, cap, ": ", ok);
    ok = AppendReason(out, cap, files[i].reason, ok);
    ok = Append(out, cap, ".\n", ok);
  }
  return Append(out, cap,
                "\nAny older copy of these files was left as it was. Close the programs that "
                "may use them, or choose another folder, and press Install again.",
                ok);
}

bool SixtyFourBitFolderQuestion(char* out, size_t cap, const char* folder, const char* program,
                                const char* pluginFolder) {
  if (cap == 0) return false;
  out[0] = '\0';
  bool ok = Append(out, cap, "The folder\n\n", true);
  ok = Append(out, cap, folder, ok);
  if (program[0] != '\0') {
    ok = Append(out, cap, "\n\nbelongs to a 64-bit program:\n\n", ok);
    ok = Append(out, cap, program, ok);
  } else {
    // The maker's sub-folder is not the editor's own: its plug-ins are in the folder above.
    if (strcmp(folder, pluginFolder) != 0) {
      ok = Append(out, cap, "\n\nis in\n\n", ok);
      ok = Append(out, cap, pluginFolder, ok);
      ok = Append(out, cap, "\n\nwhich holds", ok);
    } else {
      ok = Append(out, cap, "\n\nholds", ok);
    }
    ok = Append(out, cap, " only plug-ins for 64-bit editors.", ok);
  }
  return Append(out, cap,
                "\n\nThese filters are 32-bit and will not appear in a 64-bit editor.\n\n"
                "Install them there anyway?",
                ok);
}
