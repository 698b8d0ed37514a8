#include "discovery/key_stack.h"

#include "text/text_buffer.h"

bool KeyStack::push(char* keyPath, size_t cap, const char* name, int32_t* cursor) {
  if (top + 1 >= kLevels) return false;
  const size_t length = BoundedLength(keyPath, cap);
  if (!AppendText(keyPath, cap, "\\")) return false;
  if (!AppendText(keyPath, cap, name)) {
    keyPath[length] = '\0';
    return false;
  }
  ++top;
  savedIndex[top] = *cursor;
  savedLength[top] = static_cast<int32_t>(length);
  *cursor = 0;
  return true;
}

int32_t KeyStack::pop(char* keyPath) {
  if (top < 0) {
    top = -1;
    return -1;
  }
  keyPath[savedLength[top]] = '\0';
  return savedIndex[top--];
}
