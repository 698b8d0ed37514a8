#pragma once

#include <windows.h>

#include <stddef.h>

// The folder drop-down, a system combo box, by what the dialog does to it. Every member is
// one message to the box; a zeroed object holds no box and its messages go nowhere.
class DropDownList {
 public:
  void Attach(HWND box) { box_ = box; }
  HWND Window() const { return box_; }

  int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
  // The selected entry; CB_ERR when none is.
  int Selected() const { return static_cast<int>(Send(CB_GETCURSEL)); }
  void Select(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
  void Add(const char* text) const { Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)); }
  void Insert(int index, const char* text) const {
    Send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  }
  void Remove(int index) const { Send(CB_DELETESTRING, static_cast<WPARAM>(index)); }
  // The entry's text into text (capacity cap). False when there is no such entry or its text
  // does not fit; text is then empty.
  bool Text(int index, char* text, size_t cap) const {
    if (cap > 0) text[0] = '\0';
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length < 0 || static_cast<size_t>(length) >= cap) return false;
    if (Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text)) != CB_ERR) {
      return true;
    }
    text[0] = '\0';
    return false;
  }

 private:
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
    return SendMessageA(box_, message, wParam, lParam);
  }

  HWND box_;
};
