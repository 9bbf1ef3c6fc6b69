#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/framework/dialog_user.h"
#include "ui/framework/user_driver.h"
#include "ui/framework/window_system.h"

namespace setup {

// The modal dialogs of a window backend that wait for input, innermost last, and the
// protocol by which a scripted user (an answers file) acts on them: only on the innermost;
// a message box is answered by clicking the button its entry holds; a dialog acted on
// MAX_USER_TURNS times without ending is ended with ID_CANCEL.
class WaitingDialogs {
 public:
  static constexpr int MAX_USER_TURNS = 50;
  // A backend's hands on a live dialog that has not ended; nullptr when there is none.
  using DriverFor = std::function<std::unique_ptr<UserDriver>(WindowHandle window, int turns)>;

  void Push(WindowHandle window, int box_button) { waiting_.push_back({window, 0, box_button}); }
  void Pop() { waiting_.pop_back(); }
  bool empty() const { return waiting_.empty(); }
  WindowHandle innermost() const { return waiting_.back().handle; }

  // One act on the innermost dialog; true when the user acted and is to be asked again.
  bool ActOnInnermost(DialogUser& user, const DriverFor& driver_for);

 private:
  struct Waiting {
    WindowHandle handle;
    int turns = 0;
    int box_button = 0;
  };
  std::vector<Waiting> waiting_;
};

}  // namespace setup
