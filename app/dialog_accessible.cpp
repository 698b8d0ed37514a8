#include "app/dialog_accessible.h"

#include "app/system_oleacc.h"

#include <new>

#include "app/dialog_ids.h"
#include "app/dialog_texts.h"
#include "text/text_buffer.h"

namespace {

constexpr size_t kAccessibleTextChars = kPathChars;

BSTR AllocText(const char* text) {
  wchar_t wide[kAccessibleTextChars];
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, wide, kAccessibleTextChars) == 0) wide[0] = 0;
  return SysAllocString(wide);
}

}  // namespace

class DialogAccessible final : public IAccessible {
 public:
  DialogAccessible(DialogItems* items, HWND dialog)
      : references_(1), items_(items), dialog_(dialog), caption_() {}
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
    return answerText(child, name, &DialogAccessible::nameOf, S_FALSE);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    return answerText(child, value, &DialogAccessible::valueOf, DISP_E_MEMBERNOTFOUND);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* text) override {
    return answerText(child, text, &DialogAccessible::descriptionOf, S_FALSE);
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    return answerNumber(child, role, &DialogAccessible::roleOf);
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    return answerNumber(child, state, &DialogAccessible::stateOf);
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
    const int item = items_->Focused();
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
    return answerText(child, action, &DialogAccessible::defaultActionOf, DISP_E_MEMBERNOTFOUND);
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (flags != SELFLAG_TAKEFOCUS || item == kNoItem) return DISP_E_MEMBERNOTFOUND;
    if (!items_->Focus(item)) return S_FALSE;
    SendMessageA(dialog_, kItemsChangedMessage, 0, 0);  // drawn and reported now
    return S_OK;
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
    } else if (!items_->Rect(item, &area)) {
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
    hit->lVal = items_->At(at) + 1;  // CHILDID_SELF (0) when on no item
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    if (defaultActionOf(item) == nullptr) return DISP_E_MEMBERNOTFOUND;
    if (!items_->Press(item)) return S_FALSE;
    // A reader reads the state right after: the change is reported before it asks.
    SendMessageA(dialog_, kItemsChangedMessage, 0, 0);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

  // Readers may hold the object after the dialog has gone: it then answers nothing.
  void Sever() { items_ = nullptr; }

 private:
  ~DialogAccessible() = default;

  bool live() const { return items_ != nullptr && items_->Window() == dialog_; }

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
    if (!items_->Shown(item)) return STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
    LONG result = STATE_SYSTEM_FOCUSABLE;
    if (!items_->Available()) result |= STATE_SYSTEM_UNAVAILABLE;
    if (items_->Focused() == item) result |= STATE_SYSTEM_FOCUSED;
    if (items_->Checked(item)) result |= STATE_SYSTEM_CHECKED;
    if (items_->Pressed(item)) result |= STATE_SYSTEM_PRESSED;
    if (item == kInstallItem) result |= STATE_SYSTEM_DEFAULT;
    if (item == kLinkItem) {
      result |= STATE_SYSTEM_LINKED;
      if (items_->LinkFollowed()) result |= STATE_SYSTEM_TRAVERSED;
    }
    return result;
  }

  // A text the reader asks for about child into *out; none when the item has no such text.
  using TextOf = const char* (DialogAccessible::*)(int item) const;
  HRESULT answerText(const VARIANT& child, BSTR* out, TextOf textOf, HRESULT none) const {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    const char* text = (this->*textOf)(item);
    if (text == nullptr) return none;
    *out = AllocText(text);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
  }

  // A number the reader asks for about child, into *out.
  using NumberOf = LONG (DialogAccessible::*)(int item) const;
  HRESULT answerNumber(const VARIANT& child, VARIANT* out, NumberOf numberOf) const {
    if (out == nullptr) return E_POINTER;
    VariantInit(out);
    int item = kNoItem;
    const HRESULT checked = itemOf(child, &item);
    if (checked != S_OK) return checked;
    out->vt = VT_I4;
    out->lVal = (this->*numberOf)(item);
    return S_OK;
  }

  LONG roleOf(int item) const {
    // By kind, in the order ItemKind names them.
    constexpr LONG kRoles[] = {ROLE_SYSTEM_CHECKBUTTON, ROLE_SYSTEM_LINK, ROLE_SYSTEM_COMBOBOX,
                               ROLE_SYSTEM_PUSHBUTTON};
    return item == kNoItem ? ROLE_SYSTEM_CLIENT : kRoles[static_cast<int>(KindOfItem(item))];
  }

  const char* nameOf(int item) const {
    if (item != kNoItem) return items_->Name(item);
    GetWindowTextA(dialog_, caption_, sizeof caption_);
    return caption_;
  }
  // A link's value is where it leads.
  const char* valueOf(int item) const { return item == kLinkItem ? kHomePage : nullptr; }
  // What the status line shows on hover.
  const char* descriptionOf(int item) const {
    const char* hover = items_->HoverText(item);
    return hover[0] != '\0' ? hover : nullptr;
  }

  const char* defaultActionOf(int item) const {
    if (item == kNoItem) return nullptr;
    switch (KindOfItem(item)) {
      case ItemKind::kFilterBox: return items_->Checked(item) ? "Uncheck" : "Check";
      case ItemKind::kLink: return "Jump";
      case ItemKind::kButton: return "Press";
      default: return nullptr;
    }
  }

  LONG references_;
  DialogItems* items_;
  HWND dialog_;
  mutable char caption_[kCaptionChars];
};

DialogAccessible* NewDialogAccessible(DialogItems* items, HWND dialog) {
  // A tag of its own: the std::nothrow object would come from the C++ runtime library.
  return new (std::nothrow_t{}) DialogAccessible(items, dialog);
}

LRESULT HandToReader(DialogAccessible* object, WPARAM flags) {
  return SystemLresultFromObject(IID_IAccessible, flags, object);
}

void SeverAndRelease(DialogAccessible* object) {
  object->Sever();
  CoDisconnectObject(object, 0);
  object->Release();
}
