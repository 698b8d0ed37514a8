#pragma once

#include <windows.h>

// Small owners for the handles the installer takes from the system, so every path gives them
// back.

// A window's device context from GetDC, released with ReleaseDC.
class ScopedWindowDc {
 public:
  explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  ~ScopedWindowDc() {
    if (dc_) ReleaseDC(window_, dc_);
  }
  ScopedWindowDc(const ScopedWindowDc&) = delete;
  ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;

  HDC get() const { return dc_; }

 private:
  HWND window_;
  HDC dc_;
};

// Limits drawing in a device context to one rectangle and puts the context's own clip back at
// scope end.
class ScopedClip {
 public:
  ScopedClip(HDC dc, const RECT& area)
      : dc_(dc), saved_(dc ? CreateRectRgn(0, 0, 0, 0) : nullptr), hadClip_(false) {
    if (!dc_) return;
    hadClip_ = saved_ && GetClipRgn(dc_, saved_) == 1;
    HRGN clip = CreateRectRgnIndirect(&area);
    SelectClipRgn(dc_, clip);
    if (clip) DeleteObject(clip);
  }
  ~ScopedClip() {
    if (dc_) SelectClipRgn(dc_, hadClip_ ? saved_ : nullptr);
    if (saved_) DeleteObject(saved_);
  }
  ScopedClip(const ScopedClip&) = delete;
  ScopedClip& operator=(const ScopedClip&) = delete;

 private:
  HDC dc_;
  HRGN saved_;
  bool hadClip_;
};

// Selects an object into a device context and selects the previous one back at scope end.
// Selecting nothing (a null object or context) is allowed and does nothing.
class ScopedSelection {
 public:
  ScopedSelection(HDC dc, HGDIOBJ object)
      : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
  ~ScopedSelection() {
    if (previous_) SelectObject(dc_, previous_);
  }
  ScopedSelection(const ScopedSelection&) = delete;
  ScopedSelection& operator=(const ScopedSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// A file handle from CreateFile (INVALID_HANDLE_VALUE when none), closed at scope end.
class ScopedFileHandle {
 public:
  explicit ScopedFileHandle(HANDLE handle) : handle_(handle) {}
  ScopedFileHandle(const ScopedFileHandle&) = delete;
  ScopedFileHandle& operator=(const ScopedFileHandle&) = delete;
  ~ScopedFileHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  // Closes now, so the result can be checked; returns the system error or ERROR_SUCCESS. A
  // close can report a write the system deferred, so a failure without a code is a write fault.
  DWORD close() {
    HANDLE h = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    if (CloseHandle(h)) return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    return error != ERROR_SUCCESS ? error : ERROR_WRITE_FAULT;
  }

 private:
  HANDLE handle_;
};

// Owns one handle that Close gives back at scope end; null holds nothing. Whoever opens it
// fills out(); a failed open must leave it null.
template <typename Handle, void (*Close)(Handle)>
class ScopedResource {
 public:
  ScopedResource() = default;
  ScopedResource(const ScopedResource&) = delete;
  ScopedResource& operator=(const ScopedResource&) = delete;
  ~ScopedResource() { reset(); }
  Handle get() const { return handle_; }
  Handle* out() { return &handle_; }
  // Gives the handle back now, if there is one.
  void reset() {
    if (handle_ != nullptr) Close(handle_);
    handle_ = nullptr;
  }

 private:
  Handle handle_ = nullptr;
};

inline void CloseRegistryKey(HKEY key) { RegCloseKey(key); }
// An open registry key.
using ScopedRegistryKey = ScopedResource<HKEY, CloseRegistryKey>;

template <typename T>
inline void ReleaseComReference(T* object) {
  object->Release();
}
// One COM reference, released on every path.
template <typename T>
class ComRef : public ScopedResource<T*, ReleaseComReference<T>> {
 public:
  void** outVoid() { return reinterpret_cast<void**>(this->out()); }
  T* operator->() const { return this->get(); }
};
