#include "app/install_messages.h"

#include <string.h>

#include "text/text_buffer.h"

namespace {

// Appends as much of src as fits, so a long text is cut rather than dropped whole.
bool Append(char* out, size_t cap, const char* src, bool ok) {
  if (AppendText(out, cap, src)) return ok;
  const size_t have = BoundedLength(out, cap);
  if (have + 1 < cap) CopyText(out + have, cap - have, src);
  return false;
}

bool AppendReason(char* out, size_t cap, const char* reason, bool ok) {
  size_t length = strlen(reason);
  while (length > 0 && (reason[length - 1] == '\r' || reason[length - 1] == '\n' ||
                        reason[length - 1] == ' ' || reason[length - 1] == '.')) {
    --length;
  }
  if (length == 0) return Append(out, cap, "unknown error", ok);
  const size_t have = BoundedLength(out, cap);
  if (have + 1 >= cap) return false;
  const size_t room = cap - have - 1;
  const size_t take = length < room ? length : room;
  memcpy(out + have, reason, take);
  out[have + take] = '\0';
  return ok && take == length;
}

}  // namespace

bool TrimReason(char* out, size_t cap, const char* reason) {
  if (cap == 0) return false;
  out[0] = '\0';
  return AppendReason(out, cap, reason, true);
}

bool FolderProblemText(char* out, size_t cap, const char* folder, const char* reason) {
  if (cap == 0) return false;
  out[0] = '\0';
  bool ok = Append(out, cap, "The folder\n\n", true);
  ok = Append(out, cap, folder, ok);
  ok = Append(out, cap, "\n\ncan be neither opened nor created: ", ok);
  ok = AppendReason(out, cap, reason, ok);
  return Append(out, cap, ".\n\nPlease choose another folder.", ok);
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
