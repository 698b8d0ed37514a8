#pragma once

#include <windows.h>

#include <oleacc.h>

// The screen-reader calls, from the system folder's oleacc.dll. It is no known system DLL:
// imported by name it would be looked up beside the installer first, in a Downloads folder
// anyone can write to, before the installer could restrict the search.
LRESULT SystemLresultFromObject(REFIID riid, WPARAM flags, IUnknown* object);
HRESULT SystemAccessibleObjectFromWindow(HWND window, DWORD objectId, REFIID riid, void** out);
