#include "app/system_error.h"

#include "text/text_buffer.h"

void SystemErrorText(DWORD error, char* out, size_t cap) {
  if (cap == 0) return;
  const DWORD room = cap > 0xFFFF ? 0xFFFF : static_cast<DWORD>(cap);
  if (FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
                     out, room, nullptr) != 0) {
    return;
  }
  // The system's own formatter: the C runtime's would add its whole printf to the program.
  char figures[32];
  wsprintfA(figures, "system error %lu", static_cast<unsigned long>(error));
  CopyText(out, cap, figures);
}
