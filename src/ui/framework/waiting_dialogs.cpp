#include "ui/framework/waiting_dialogs.h"

#include "ui/framework/window_messages.h"

namespace setup {

bool WaitingDialogs::ActOnInnermost(DialogUser& user, const DriverFor& driver_for) {
  if (waiting_.empty()) return false;
  // By position: the user's act may open a dialog above this one, which grows the list.
  const size_t at = waiting_.size() - 1;
  std::unique_ptr<UserDriver> driver = driver_for(waiting_[at].handle, waiting_[at].turns);
  if (driver == nullptr) return false;
  if (waiting_[at].box_button != 0) {
    driver->Click(waiting_[at].box_button);
    return false;
  }
  if (waiting_[at].turns >= MAX_USER_TURNS) {
    driver->dialog().EndDialog(ID_CANCEL);
    return false;
  }
  if (!user.Act(*driver)) return false;
  if (at < waiting_.size()) ++waiting_[at].turns;
  return true;
}

}  // namespace setup
