#include "discovery/ansi_spelling.h"

#include <wchar.h>

#include "text/text_buffer.h"

DWORD SpellInCodePage(UINT codePage, const wchar_t* wide, char* ansi, size_t cap,
                      WideToAnsi convert) {
  if (cap == 0) return ERROR_INSUFFICIENT_BUFFER;
  const int bytes = static_cast<int>(cap);
  BOOL usedDefault = FALSE;
  int written =
      convert(codePage, WC_NO_BEST_FIT_CHARS, wide, -1, ansi, bytes, nullptr, &usedDefault);
  DWORD error = written == 0 ? GetLastError() : ERROR_SUCCESS;
  // UTF-8 and a few others refuse the best-fit flag and the used-default report; for them the
  // round trip below alone tells whether the name was spelt exactly.
  if (error == ERROR_INVALID_FLAGS || error == ERROR_INVALID_PARAMETER) {
    usedDefault = FALSE;
    written = convert(codePage, 0, wide, -1, ansi, bytes, nullptr, nullptr);
    error = written == 0 ? GetLastError() : ERROR_SUCCESS;
  }
  if (written == 0) {
    ansi[0] = '\0';
    return error;
  }
  wchar_t back[kPathChars];
  const int read = MultiByteToWideChar(codePage, 0, ansi, -1, back, kPathChars);
  if (usedDefault || read == 0 || wcscmp(back, wide) != 0) {
    ansi[0] = '\0';
    return ERROR_NO_UNICODE_TRANSLATION;
  }
  return ERROR_SUCCESS;
}
