#include "app/dialog_items.h"

#include "app/dialog_ids.h"
#include "app/dialog_texts.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"

namespace {

bool Known(int item) { return item >= 0 && item < kDialogItemCount; }

}  // namespace

ItemKind KindOfItem(int item) {
  if (item < kLinkItem) return ItemKind::kFilterBox;
  if (item == kLinkItem) return ItemKind::kLink;
  if (item == kDropDownItem) return ItemKind::kDropDown;
  return ItemKind::kButton;
}

void DialogItems::Bind(HWND dialog, const DialogControls* controls, const DialogSearch* search) {
  dialog_ = controls != nullptr ? dialog : nullptr;
  controls_ = dialog_ != nullptr ? controls : nullptr;
  search_ = dialog_ != nullptr ? search : nullptr;
  dropDown_ = dialog_ != nullptr ? GetDlgItem(dialog_, kComboId) : nullptr;
  focus_ = kInstallItem;
  windowHasFocus_ = dialog_ != nullptr && GetFocus() == dialog_;
}

// The skinned control behind a button item; null for other items or unbound.
static ImageButton* ButtonOf(const DialogControls* controls, int item) {
  if (controls == nullptr) return nullptr;
  if (item == kInstallItem) return controls->install;
  if (item == kCancelItem) return controls->cancel;
  if (item == kFinishItem) return controls->finish;
  return nullptr;
}

static FilterCheckBox* BoxOf(const DialogControls* controls, int item) {
  if (controls == nullptr || !Known(item) || KindOfItem(item) != ItemKind::kFilterBox) {
    return nullptr;
  }
  return controls->boxes[item - kFirstBoxItem];
}

static SkinControl* ControlOf(const DialogControls* controls, int item) {
  if (item == kLinkItem) return controls != nullptr ? controls->link : nullptr;
  SkinControl* box = BoxOf(controls, item);
  return box != nullptr ? box : ButtonOf(controls, item);
}

bool DialogItems::Shown(int item) const {
  if (!Known(item) || dialog_ == nullptr) return false;
  // Off while discovery fills it, and hidden on the completion screen.
  if (item == kDropDownItem) {
    return dropDown_ != nullptr && IsWindowVisible(dropDown_) && IsWindowEnabled(dropDown_);
  }
  const SkinControl* control = ControlOf(controls_, item);
  return control != nullptr && control->shown();
}

bool DialogItems::Available() const {
  return dialog_ != nullptr && IsWindowEnabled(dialog_) &&
         (search_ == nullptr || !search_->InNestedLoop());
}

bool DialogItems::Rect(int item, RECT* client) const {
  *client = RECT{0, 0, 0, 0};
  if (item == kDropDownItem) {
    if (dialog_ == nullptr || dropDown_ == nullptr || !GetWindowRect(dropDown_, client)) {
      return false;
    }
    MapWindowPoints(nullptr, dialog_, reinterpret_cast<POINT*>(client), 2);
    return true;
  }
  if (const FilterCheckBox* box = BoxOf(controls_, item)) {
    *client = box->area();
  } else if (item == kLinkItem && controls_ != nullptr && controls_->link != nullptr) {
    *client = controls_->link->area();
  } else if (const ImageButton* button = ButtonOf(controls_, item)) {
    *client = button->area();
  } else {
    return false;
  }
  return true;
}

const char* DialogItems::Name(int item) const {
  switch (item) {
    case kInstallItem: return "Install";
    case kCancelItem: return "Cancel";
    case kFinishItem: return "Finish";
    case kDropDownItem: return kFolderPrompt;
    default: break;
  }
  if (item == kLinkItem) {
    return controls_ != nullptr && controls_->link != nullptr ? controls_->link->shownText() : "";
  }
  const FilterCheckBox* box = BoxOf(controls_, item);
  return box != nullptr ? box->labelText() : "";
}

const char* DialogItems::HoverText(int item) const {
  const SkinControl* control = ControlOf(controls_, item);
  return control != nullptr ? control->hoverText() : "";
}

bool DialogItems::Checked(int item) const {
  const FilterCheckBox* box = BoxOf(controls_, item);
  return box != nullptr && box->checked();
}

bool DialogItems::Pressed(int item) const {
  const ImageButton* button = ButtonOf(controls_, item);
  return button != nullptr && button->pressed();
}

bool DialogItems::AnyButtonPressed() const {
  return Pressed(kInstallItem) || Pressed(kCancelItem) || Pressed(kFinishItem);
}

bool DialogItems::LinkFollowed() const {
  return controls_ != nullptr && controls_->link != nullptr && controls_->link->followed();
}

int DialogItems::At(POINT client) const {
  for (int item = 0; item < kDialogItemCount; ++item) {
    RECT area;
    if (Shown(item) && Rect(item, &area) && PtInRect(&area, client)) return item;
  }
  return kNoItem;
}

int DialogItems::NextShown(int from, int step) const {
  int item = from;
  for (int tries = 0; tries < kDialogItemCount; ++tries) {
    item = (item + step + kDialogItemCount) % kDialogItemCount;
    if (Shown(item)) return item;
  }
  return kNoItem;
}

int DialogItems::Focused() const {
  if (dialog_ == nullptr) return kNoItem;
  if (windowHasFocus_) return focus_;
  HWND focus = GetFocus();
  return focus != nullptr && focus == dropDown_ ? kDropDownItem : kNoItem;
}

bool DialogItems::Focus(int item) {
  if (!Available() || !Shown(item)) return false;
  focus_ = item;
  HWND target = item == kDropDownItem ? dropDown_ : dialog_;
  if (GetFocus() != target) SetFocus(target);
  return true;
}

void DialogItems::WindowFocusChanged(bool has) {
  windowHasFocus_ = has;
  if (has && (focus_ == kDropDownItem || !Shown(focus_))) {
    focus_ = Shown(kInstallItem) ? kInstallItem : NextShown(kDropDownItem, 1);
  }
}

bool DialogItems::Press(int item) {
  if (!Available() || !Shown(item)) return false;
  if (FilterCheckBox* box = BoxOf(controls_, item)) {
    box->toggle(dialog_);
    return true;
  }
  if (item == kLinkItem) {
    controls_->link->markVisited();
    controls_->link->notify(dialog_);
    return true;
  }
  // Posted, as a click is: the dialog acts once this message is done.
  if (const ImageButton* button = ButtonOf(controls_, item)) {
    button->notify(dialog_);
    return true;
  }
  return false;
}
