#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "ui/framework/dialog_template.h"

namespace setup {

// Every dialog an installation shows.
enum class InstallDialog {
  Welcome,
  Backdrop,
  ConfirmReplace,
  Finished,
  NoRoom,
  Exit,
  SetupFailed,
  Installing,
  Browse,
  Updating,
  Options,
};

// One row of the installation's dialog table: the class name (the transcript's "kind", which
// the answers and the backends go by) and the template the class is built from.
struct InstallDialogInfo {
  InstallDialog dialog;
  const char* kind;
  DialogTemplate (*make_template)();
};

// The table, one row per InstallDialog, in resource order.
std::span<const InstallDialogInfo> InstallationDialogs();
const char* KindOf(InstallDialog dialog);
DialogTemplate TemplateOf(InstallDialog dialog);
// The dialog whose class name is `kind`; nullopt for any other window.
std::optional<InstallDialog> FindInstallDialog(std::string_view kind);

}  // namespace setup
