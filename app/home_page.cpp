#include "app/home_page.h"

#include "text/text_buffer.h"

#include <exdisp.h>
#include <servprov.h>
#include <shellapi.h>
#include <shldisp.h>
#include <shlguid.h>
#include <shlobj.h>
#include <shobjidl.h>

#include "app/dialog_texts.h"
#include "app/home_page_route.h"
#include "platform/scoped_win32.h"

namespace {

// The home page's address and the message that shows it.
constexpr int kAddressChars = 260;
constexpr int kAddressMessageChars = kAddressChars + 200;

VARIANT EmptyVariant() {
  VARIANT value;
  VariantInit(&value);
  return value;
}

VARIANT NumberVariant(LONG number) {
  VARIANT value = EmptyVariant();
  value.vt = VT_I4;
  value.lVal = number;
  return value;
}

// The desktop folder view's IShellDispatch2: its ShellExecute runs inside Explorer.
bool DesktopShellDispatch(ComRef<IShellDispatch2>& dispatch) {
  ComRef<IShellWindows> windows;
  if (FAILED(CoCreateInstance(CLSID_ShellWindows, nullptr, CLSCTX_LOCAL_SERVER, IID_IShellWindows,
                              windows.outVoid())))
    return false;
  VARIANT location = NumberVariant(CSIDL_DESKTOP);
  VARIANT empty = EmptyVariant();
  long window = 0;
  ComRef<IDispatch> desktop;
  if (windows->FindWindowSW(&location, &empty, SWC_DESKTOP, &window, SWFO_NEEDDISPATCH,
                            desktop.out()) != S_OK ||
      desktop.get() == nullptr)
    return false;
  ComRef<IServiceProvider> services;
  ComRef<IShellBrowser> browser;
  ComRef<IShellView> view;
  ComRef<IDispatch> background;
  ComRef<IShellFolderViewDual> folderView;
  ComRef<IDispatch> application;
  return SUCCEEDED(desktop->QueryInterface(IID_IServiceProvider, services.outVoid())) &&
         SUCCEEDED(
             services->QueryService(SID_STopLevelBrowser, IID_IShellBrowser, browser.outVoid())) &&
         SUCCEEDED(browser->QueryActiveShellView(view.out())) &&
         SUCCEEDED(view->GetItemObject(SVGIO_BACKGROUND, IID_IDispatch, background.outVoid())) &&
         SUCCEEDED(background->QueryInterface(IID_IShellFolderViewDual, folderView.outVoid())) &&
         SUCCEEDED(folderView->get_Application(application.out())) &&
         SUCCEEDED(application->QueryInterface(IID_IShellDispatch2, dispatch.outVoid()));
}

}  // namespace

bool OpenThroughDesktopShell(const char* address) {
  ComRef<IShellDispatch2> dispatch;
  if (!DesktopShellDispatch(dispatch)) return false;
  wchar_t wide[kAddressChars];
  if (MultiByteToWideChar(CP_ACP, 0, address, -1, wide, kAddressChars) == 0) return false;
  BSTR file = SysAllocString(wide);
  BSTR verb = SysAllocString(L"open");
  bool started = false;
  if (file != nullptr && verb != nullptr) {
    VARIANT none = EmptyVariant();
    VARIANT operation = EmptyVariant();
    operation.vt = VT_BSTR;
    operation.bstrVal = verb;
    VARIANT show = NumberVariant(SW_SHOWMAXIMIZED);
    started = SUCCEEDED(dispatch->ShellExecute(file, none, none, operation, show));
  }
  SysFreeString(file);
  SysFreeString(verb);
  return started;
}

bool IsProcessElevated() {
  HANDLE token = nullptr;
  if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return true;
  TOKEN_ELEVATION elevation = {};
  DWORD size = 0;
  const BOOL read = GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size);
  CloseHandle(token);
  return read == FALSE || elevation.TokenIsElevated != 0;
}

void OpenHomePage(HWND owner, const char* address) {
  switch (ChooseHomePageRoute(OpenThroughDesktopShell(address), IsProcessElevated())) {
    case HomePageRoute::kDesktopShell: return;
    case HomePageRoute::kDirect:
      ShellExecuteA(owner, "open", address, nullptr, nullptr, SW_SHOWMAXIMIZED);
      return;
    case HomePageRoute::kShowAddress: {
      char text[kAddressMessageChars];
      CopyText(text, sizeof text, "Please open this address in your web browser:\n\n");
      AppendText(text, sizeof text, address);
      AppendText(text, sizeof text,
                 "\n\nThe installer runs with administrator rights and does not start the "
                 "browser with them.");
      MessageBoxA(owner, text, kCaption, MB_OK | MB_ICONINFORMATION);
      return;
    }
  }
}
