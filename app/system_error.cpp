#include "app/system_error.h"

#include <stdio.h>

std::string SystemErrorText(DWORD error) {
  char text[512];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                error, 0, text, sizeof text, nullptr);
  if (length == 0)
    snprintf(text, sizeof text, "system error %lu", static_cast<unsigned long>(error));
  return text;
}
