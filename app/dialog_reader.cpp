#include "app/dialog_reader.h"

#include "app/dialog_accessible.h"

void DialogReader::Start(DialogItems* items) {
  items_ = items;
  for (int item = 0; item < kDialogItemCount; ++item) snapshots_[item] = SnapshotOf(item);
  reportedFocus_ = items_->Focused();
}

void DialogReader::Stop() {
  if (object_ != nullptr) SeverAndRelease(object_);
  *this = DialogReader{};
}

DialogReader::ItemSnapshot DialogReader::SnapshotOf(int item) const {
  return ItemSnapshot{items_->Shown(item), items_->Checked(item), items_->Pressed(item),
                      item == kLinkItem && items_->LinkFollowed(), items_->Available()};
}

void DialogReader::Notify(DWORD event, int item) const {
  NotifyWinEvent(event, items_->Window(), OBJID_CLIENT, item + 1);
}

bool DialogReader::AnswerObject(WPARAM flags, LPARAM objectId, LRESULT* result) {
  *result = 0;
  if (items_ == nullptr || items_->Window() == nullptr) return false;
  // The identifier is a 32-bit value; on 64-bit Windows it arrives zero-extended.
  if (static_cast<LONG>(static_cast<DWORD>(objectId)) != OBJID_CLIENT) return false;
  // One object per dialog, kept until the dialog goes, when it is cut off from its readers.
  if (object_ == nullptr) object_ = NewDialogAccessible(items_, items_->Window());
  if (object_ == nullptr) return false;
  *result = HandToReader(object_, flags);
  return true;
}

void DialogReader::Sync() {
  if (items_ == nullptr || items_->Window() == nullptr) return;
  // The drop-down is a window with the system's own object, which reports its own focus.
  const int focus = items_->Focused();
  if (focus != reportedFocus_ && focus != kNoItem && focus != kDropDownItem) {
    Notify(EVENT_OBJECT_FOCUS, focus);
  }
  reportedFocus_ = focus;
  for (int item = 0; item < kDialogItemCount; ++item) {
    const ItemSnapshot now = SnapshotOf(item);
    const ItemSnapshot& before = snapshots_[item];
    if (now.shown != before.shown) Notify(now.shown ? EVENT_OBJECT_SHOW : EVENT_OBJECT_HIDE, item);
    if (now.checked != before.checked || now.pressed != before.pressed ||
        now.followed != before.followed || (now.shown && now.available != before.available)) {
      Notify(EVENT_OBJECT_STATECHANGE, item);
    }
    snapshots_[item] = now;
  }
}
