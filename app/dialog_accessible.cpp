#include "app/dialog_input.h"

#include "app/system_oleacc.h"

#include <new>

#include "app/dialog_items.h"
#include "app/dialog_layout.h"
#include "controls/link_label.h"
#include "text/text_buffer.h"

namespace {

constexpr size_t kAccessibleTextChars = kPathChars;

BSTR AllocText(const char* text) {
  wchar_t wide[kAccessibleTextChars];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kAccessibleTextChars) == 0) wide[0] = 0;
  return SysAllocString(wide);
}

}  // namespace

// The dialog window's object, with one child per item. Its methods run on the window's
// thread (the single-threaded apartment delivers other processes' calls there).
class DialogAccessible final : public IAccessible {
 public:
  DialogAccessible(DialogInput* owner, HWND dialog)
      : references_(1), owner_(owner), dialog_(dialog) {}
  DialogAccessible(const DialogAccessible&) = delete;
  DialogAccessible& operator=(const DialogAccessible&) = delete;

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, IID_IAccessible)) {
      *object = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
  }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: readers use the IAccessible methods directly; there is no type library.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override {
    if (info != nullptr) *info = nullptr;
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    if (parent == nullptr) return E_POINTER;
    *parent = nullptr;
    if (!live()) return CO_E_OBJNOTCONNECTED;
    return SystemAccessibleObjectFromWindow(dialog_, static_cast<DWORD>(OBJID_WINDOW),
                                            IID_IDispatch, reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    if (!live()) return CO_E_OBJNOTCONNECTED;
    *count = kDialogItemCount;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (item != kDropDownItem) return S_FALSE;  // a plain element of this object
    // The drop-down is a window with the system's own object.
    return SystemAccessibleObjectFromWindow(GetDlgItem(dialog_, kComboId),
                                            static_cast<DWORD>(OBJID_CLIENT), IID_IDispatch,
                                            reinterpret_cast<void**>(object));
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (name == nullptr) return E_POINTER;
    *name = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (item == kNoItem) {
      char caption[kCaptionChars];
      GetWindowTextA(dialog_, caption, sizeof caption);
      *name = AllocText(caption);
    } else {
      *name = AllocText(owner_->ItemName(item));
    }
    return *name != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (value == nullptr) return E_POINTER;
    *value = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (item != kLinkItem) return DISP_E_MEMBERNOTFOUND;
    *value = AllocText(kHomePage);  // a link's value is where it leads
    return *value != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    if (text == nullptr) return E_POINTER;
    *text = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    const SkinControl* control = owner_->ItemControl(item);
    if (control == nullptr || control->statusText[0] == '\0') return S_FALSE;
    *text = AllocText(control->statusText);  // what the status line shows on hover
    return *text != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (role == nullptr) return E_POINTER;
    VariantInit(role);
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    role->vt = VT_I4;
    if (item == kNoItem) {
      role->lVal = ROLE_SYSTEM_CLIENT;
      return S_OK;
    }
    switch (KindOfItem(item)) {
      case ItemKind::kFilterBox:
        role->lVal = ROLE_SYSTEM_CHECKBUTTON;
        break;
      case ItemKind::kLink:
        role->lVal = ROLE_SYSTEM_LINK;
        break;
      case ItemKind::kDropDown:
        role->lVal = ROLE_SYSTEM_COMBOBOX;
        break;
      case ItemKind::kButton:
        role->lVal = ROLE_SYSTEM_PUSHBUTTON;
        break;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* result) override {
    if (result == nullptr) return E_POINTER;
    VariantInit(result);
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    result->vt = VT_I4;
    result->lVal = stateOf(item);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    if (help != nullptr) *help = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    if (file != nullptr) *file = nullptr;
    if (topic != nullptr) *topic = 0;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* shortcut) override {
    if (shortcut != nullptr) *shortcut = nullptr;
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    if (focus == nullptr) return E_POINTER;
    VariantInit(focus);
    if (!live()) return CO_E_OBJNOTCONNECTED;
    const int item = owner_->FocusedItem();
    if (item == kNoItem) return S_FALSE;
    if (item == kDropDownItem) {
      IDispatch* object = nullptr;
      VARIANT id;
      id.vt = VT_I4;
      id.lVal = item + 1;
      if (get_accChild(id, &object) == S_OK && object != nullptr) {
        focus->vt = VT_DISPATCH;
        focus->pdispVal = object;
        return S_OK;
      }
    }
    focus->vt = VT_I4;
    focus->lVal = item + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection != nullptr) VariantInit(selection);
    return DISP_E_MEMBERNOTFOUND;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (action == nullptr) return E_POINTER;
    *action = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    const char* text = defaultActionOf(item);
    if (text == nullptr) return DISP_E_MEMBERNOTFOUND;
    *action = AllocText(text);
    return *action != nullptr ? S_OK : E_OUTOFMEMORY;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (flags != SELFLAG_TAKEFOCUS || item == kNoItem) return DISP_E_MEMBERNOTFOUND;
    return owner_->FocusItem(item) ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                        VARIANT child) override {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
      return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    RECT area;
    if (item == kNoItem) {
      GetClientRect(dialog_, &area);
    } else if (!owner_->ItemRect(item, &area)) {
      return S_FALSE;
    }
    MapWindowPoints(dialog_, nullptr, reinterpret_cast<POINT*>(&area), 2);
    *left = area.left;
    *top = area.top;
    *width = area.right - area.left;
    *height = area.bottom - area.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    if (end == nullptr) return E_POINTER;
    VariantInit(end);
    int item = kNoItem;
    const HRESULT checked = itemOf(start, &item);
    if (checked != S_OK) return checked;
    int next = kNoItem;
    if (item == kNoItem) {
      if (direction == NAVDIR_FIRSTCHILD) next = 0;
      if (direction == NAVDIR_LASTCHILD) next = kDialogItemCount - 1;
    } else if (direction == NAVDIR_NEXT || direction == NAVDIR_DOWN) {
      next = item + 1 < kDialogItemCount ? item + 1 : kNoItem;
    } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_UP) {
      next = item - 1;
    }
    if (next < 0) return S_FALSE;
    end->vt = VT_I4;
    end->lVal = next + 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
    if (hit == nullptr) return E_POINTER;
    VariantInit(hit);
    if (!live()) return CO_E_OBJNOTCONNECTED;
    POINT at = {x, y};
    RECT client;
    ScreenToClient(dialog_, &at);
    GetClientRect(dialog_, &client);
    if (!PtInRect(&client, at)) return S_FALSE;
    hit->vt = VT_I4;
    hit->lVal = owner_->ItemAt(at) + 1;  // CHILDID_SELF (0) when on no item
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (defaultActionOf(item) == nullptr) return DISP_E_MEMBERNOTFOUND;
    if (!owner_->PressItem(item)) return S_FALSE;
    // A reader reads the state right after: the change is reported before it asks.
    owner_->SyncAccessibleEvents();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // Readers may hold the object after the dialog has gone: it then answers nothing.
  void Sever() { owner_ = nullptr; }

 private:
  ~DialogAccessible() = default;

  bool live() const { return owner_ != nullptr && owner_->ItemsDialog() == dialog_; }

  // Reads a child identifier: CHILDID_SELF gives kNoItem.
  HRESULT itemOf(const VARIANT& child, int* item) const {
    if (!live()) return CO_E_OBJNOTCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) {
      *item = kNoItem;
      return S_OK;
    }
    if (child.lVal < 1 || child.lVal > kDialogItemCount) return E_INVALIDARG;
    *item = static_cast<int>(child.lVal) - 1;
    return S_OK;
  }

  LONG stateOf(int item) const {
    if (item == kNoItem) {
      return STATE_SYSTEM_FOCUSABLE | (GetFocus() == dialog_ ? STATE_SYSTEM_FOCUSED : 0);
    }
    if (!owner_->ItemShown(item)) return STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
    LONG result = STATE_SYSTEM_FOCUSABLE;
    if (owner_->FocusedItem() == item) result |= STATE_SYSTEM_FOCUSED;
    if (owner_->ItemChecked(item)) result |= STATE_SYSTEM_CHECKED;
    if (owner_->ItemPressed(item)) result |= STATE_SYSTEM_PRESSED;
    if (item == kInstallItem) result |= STATE_SYSTEM_DEFAULT;
    if (item == kLinkItem) {
      result |= STATE_SYSTEM_LINKED;
      if (owner_->LinkVisited()) result |= STATE_SYSTEM_TRAVERSED;
    }
    return result;
  }

  const char* defaultActionOf(int item) const {
    if (item == kNoItem) return nullptr;
    switch (KindOfItem(item)) {
      case ItemKind::kFilterBox:
        return owner_->ItemChecked(item) ? "Uncheck" : "Check";
      case ItemKind::kLink:
        return "Jump";
      case ItemKind::kButton:
        return "Press";
      default:
        return nullptr;
    }
  }

  LONG references_;
  DialogInput* owner_;
  HWND dialog_;
};

DialogInput::ItemSnapshot DialogInput::SnapshotOf(int item) const {
  return ItemSnapshot{ItemShown(item), ItemChecked(item), ItemPressed(item),
                      item == kLinkItem && LinkVisited()};
}

bool DialogInput::LinkVisited() const {
  const LinkLabel* link = static_cast<const LinkLabel*>(ItemControl(kLinkItem));
  return link != nullptr && link->visited != 0;
}

bool DialogInput::AnswerAccessibleObject(WPARAM flags, LPARAM objectId, LRESULT* result) {
  *result = 0;
  HWND dialog = ItemsDialog();
  if (dialog == nullptr || !readersLive) return false;
  // The identifier is a 32-bit value; on 64-bit Windows it arrives zero-extended.
  if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return false;
  // One object per dialog, kept until the dialog goes, when it is cut off from its readers.
  // A tag of its own: the std::nothrow object would come from the C++ runtime library.
  if (readerObject == nullptr) readerObject = new (std::nothrow_t{}) DialogAccessible(this, dialog);
  if (readerObject == nullptr) return false;
  *result = SystemLresultFromObject(IID_IAccessible, flags, readerObject);
  return true;
}

void DialogInput::StartAccessibleEvents() {
  readersLive = true;
  for (int item = 0; item < kDialogItemCount; ++item) snapshots[item] = SnapshotOf(item);
}

void DialogInput::StopAccessibleEvents() {
  readersLive = false;
  if (readerObject != nullptr) {
    // Readers still holding it get "disconnected" from now on, and nothing of theirs is left
    // for the end of the program.
    readerObject->Sever();
    CoDisconnectObject(readerObject, 0);
    readerObject->Release();
    readerObject = nullptr;
  }
}

void DialogInput::SyncAccessibleEvents() {
  HWND dialog = ItemsDialog();
  if (dialog == nullptr || !readersLive) return;
  for (int item = 0; item < kDialogItemCount; ++item) {
    const ItemSnapshot now = SnapshotOf(item);
    const ItemSnapshot& before = snapshots[item];
    const LONG child = item + 1;
    if (now.shown != before.shown) {
      NotifyWinEvent(now.shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, dialog, OBJID_CLIENT,
                     child);
    }
    if (now.checked != before.checked || now.pressed != before.pressed ||
        now.visited != before.visited) {
      NotifyWinEvent(EVENT_OBJECT_STATECHANGE, dialog, OBJID_CLIENT, child);
    }
    snapshots[item] = now;
  }
}

void DialogInput::NotifyAccessibleFocus(int item) {
  HWND dialog = ItemsDialog();
  if (dialog == nullptr || !readersLive || item < 0 || item >= kDialogItemCount) return;
  NotifyWinEvent(EVENT_OBJECT_FOCUS, dialog, OBJID_CLIENT, item + 1);
}
