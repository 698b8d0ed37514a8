#include "app/dialog_items.h"

#include "app/dialog_input.h"

#include "app/dialog_layout.h"
#include "controls/filter_check_box.h"
#include "controls/image_button.h"
#include "controls/link_label.h"
#include "skin/skin_window.h"

namespace {

// Control table slot of each item; -1 for the drop-down, which is a window of its own.
constexpr int kItemSlots[kDialogItemCount] = {kSlotFirstFilter,
                                              kSlotFirstFilter + 1,
                                              kSlotFirstFilter + 2,
                                              kSlotFirstFilter + 3,
                                              kSlotFirstFilter + 4,
                                              kSlotFirstFilter + 5,
                                              kSlotFirstFilter + 6,
                                              kSlotFirstFilter + 7,
                                              kSlotFirstFilter + 8,
                                              kSlotLink,
                                              -1,
                                              kSlotInstall,
                                              kSlotCancel,
                                              kSlotFinish};

bool Known(int item) { return item >= 0 && item < kDialogItemCount; }

}  // namespace

bool DialogInput::OnCompletionScreen() const {
  const SkinControl* finish = ItemControl(kFinishItem);
  return finish != nullptr && finish->visible != 0;
}

void DialogInput::BindItems(HWND dialog, SkinControl* const* controls) {
  boundDialog = dialog;
  boundDropDown = dialog != nullptr ? GetDlgItem(dialog, kComboId) : nullptr;
  boundControls = dialog != nullptr ? controls : nullptr;
}

ItemKind KindOfItem(int item) {
  if (item < kLinkItem) return ItemKind::kFilterBox;
  if (item == kLinkItem) return ItemKind::kLink;
  if (item == kDropDownItem) return ItemKind::kDropDown;
  return ItemKind::kButton;
}

SkinControl* DialogInput::ItemControl(int item) const {
  if (!Known(item) || boundControls == nullptr || kItemSlots[item] < 0) return nullptr;
  return boundControls[kItemSlots[item]];
}

bool DialogInput::ItemShown(int item) const {
  if (!Known(item) || boundDialog == nullptr) return false;
  if (item == kDropDownItem) {
    HWND dropDown = boundDropDown;
    // Off while discovery fills it: the focus cannot go there.
    return dropDown != nullptr && IsWindowVisible(dropDown) && IsWindowEnabled(dropDown) &&
           !OnCompletionScreen();
  }
  const SkinControl* control = ItemControl(item);
  return control != nullptr && control->visible != 0;
}

bool DialogInput::ItemRect(int item, RECT* client) const {
  *client = RECT{0, 0, 0, 0};
  if (item == kDropDownItem) {
    HWND dropDown = boundDialog != nullptr ? boundDropDown : nullptr;
    if (dropDown == nullptr || !GetWindowRect(dropDown, client)) return false;
    MapWindowPoints(nullptr, boundDialog, reinterpret_cast<POINT*>(client), 2);
    return true;
  }
  SkinControl* control = ItemControl(item);
  if (control == nullptr) return false;
  switch (KindOfItem(item)) {
    case ItemKind::kFilterBox: {
      const FilterCheckBox* box = static_cast<const FilterCheckBox*>(control);
      *client = box->hitRect;
      // The label as the box draws it, measured in the font the skin hands to controls.
      SIZE label = {};
      const HDC measure = control->context->bufferDc;
      if (measure != nullptr &&
          GetTextExtentPoint32A(measure, box->label, lstrlenA(box->label), &label)) {
        const int x = box->hitRect.left + box->labelOffset;
        const int y = box->hitRect.top - box->labelRise;
        const RECT text = {x, y, x + label.cx, y + label.cy};
        UnionRect(client, client, &text);
      }
      return true;
    }
    case ItemKind::kLink:
      *client = static_cast<const LinkLabel*>(control)->bounds;
      return true;
    default:
      *client = static_cast<const ImageButton*>(control)->bounds;
      return true;
  }
}

const char* DialogInput::ItemName(int item) const {
  switch (item) {
    case kInstallItem:
      return "Install";
    case kCancelItem:
      return "Cancel";
    case kFinishItem:
      return "Finish";
    case kDropDownItem:
      return kFolderPrompt;
    default:
      break;
  }
  const SkinControl* control = ItemControl(item);
  if (control == nullptr) return "";
  if (item == kLinkItem) return static_cast<const LinkLabel*>(control)->text;
  return static_cast<const FilterCheckBox*>(control)->label;
}

bool DialogInput::ItemChecked(int item) const {
  if (KindOfItem(item) != ItemKind::kFilterBox) return false;
  const SkinControl* control = ItemControl(item);
  return control != nullptr && static_cast<const FilterCheckBox*>(control)->value != 0;
}

bool DialogInput::ItemPressed(int item) const {
  if (KindOfItem(item) != ItemKind::kButton) return false;
  const SkinControl* control = ItemControl(item);
  return control != nullptr &&
         static_cast<const ImageButton*>(control)->pressState == kButtonPressed;
}

int DialogInput::ItemAt(POINT client) const {
  for (int item = 0; item < kDialogItemCount; ++item) {
    RECT area;
    if (ItemShown(item) && ItemRect(item, &area) && PtInRect(&area, client)) return item;
  }
  return kNoItem;
}
