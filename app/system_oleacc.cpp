#include "app/system_oleacc.h"

#include "text/text_buffer.h"

namespace {

using LresultFn = LRESULT(WINAPI*)(REFIID, WPARAM, LPUNKNOWN);
using FromWindowFn = HRESULT(WINAPI*)(HWND, DWORD, REFIID, void**);

bool tried = false;
LresultFn lresultFromObject = nullptr;
FromWindowFn accessibleObjectFromWindow = nullptr;

// Loaded by its full path in the system folder, once, on the first screen-reader request.
void LoadSystemOleacc() {
  if (tried) return;
  tried = true;
  char path[MAX_PATH];
  const UINT length = GetSystemDirectoryA(path, MAX_PATH);
  if (length == 0 || length >= MAX_PATH || !AppendText(path, sizeof path, "\\oleacc.dll")) return;
  HMODULE module = LoadLibraryA(path);
  if (module == nullptr) return;
  // The casts go through void*: the system hands out one type for every procedure.
  lresultFromObject = reinterpret_cast<LresultFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "LresultFromObject")));
  accessibleObjectFromWindow = reinterpret_cast<FromWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(module, "AccessibleObjectFromWindow")));
}

}  // namespace

LRESULT SystemLresultFromObject(REFIID riid, WPARAM flags, IUnknown* object) {
  LoadSystemOleacc();
  return lresultFromObject == nullptr ? 0 : lresultFromObject(riid, flags, object);
}

HRESULT SystemAccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** out) {
  LoadSystemOleacc();
  if (accessibleObjectFromWindow == nullptr) {
    *out = nullptr;
    return E_NOTIMPL;
  }
  return accessibleObjectFromWindow(window, objectId, riid, out);
}
