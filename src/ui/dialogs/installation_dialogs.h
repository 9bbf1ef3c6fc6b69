#pragma once

#include <iterator>
#include <optional>
#include <span>
#include <string_view>

#include "ui/dialogs/dialog_templates.h"
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
inline constexpr InstallDialogInfo INSTALLATION_DIALOGS[] = {
    {InstallDialog::Welcome, "CWelcomeDlg", WelcomeTemplate},
    {InstallDialog::Backdrop, "CBackdropDlg", BackdropTemplate},
    {InstallDialog::ConfirmReplace, "CConfirmReplaceDlg", ConfirmReplaceTemplate},
    {InstallDialog::Finished, "CFinishedDlg", FinishedTemplate},
    {InstallDialog::NoRoom, "CNoRoomDlg", NoRoomTemplate},
    {InstallDialog::Exit, "CExitDlg", ExitTemplate},
    {InstallDialog::SetupFailed, "CSetupFailedDlg", SetupFailedTemplate},
    {InstallDialog::Installing, "CInstallingDlg", InstallingTemplate},
    {InstallDialog::Browse, "CBrowseDlg", BrowseTemplate},
    {InstallDialog::Updating, "CUpdatingDlg", UpdatingTemplate},
    {InstallDialog::Options, "COptionsDlg", OptionsTemplate},
};

// Rows are looked up by position, so the table must follow the enum's order.
constexpr bool InstallationDialogsInEnumOrder() {
  for (size_t i = 0; i < std::size(INSTALLATION_DIALOGS); ++i) {
    if (static_cast<size_t>(INSTALLATION_DIALOGS[i].dialog) != i) return false;
  }
  return true;
}
static_assert(InstallationDialogsInEnumOrder());
static_assert(std::size(INSTALLATION_DIALOGS) == static_cast<size_t>(InstallDialog::Options) + 1);

inline std::span<const InstallDialogInfo> InstallationDialogs() { return INSTALLATION_DIALOGS; }

constexpr const char* KindOf(InstallDialog dialog) {
  return INSTALLATION_DIALOGS[static_cast<size_t>(dialog)].kind;
}

inline DialogTemplate TemplateOf(InstallDialog dialog) {
  return INSTALLATION_DIALOGS[static_cast<size_t>(dialog)].make_template();
}

// The dialog whose class name is `kind`; nullopt for any other window.
constexpr std::optional<InstallDialog> FindInstallDialog(std::string_view kind) {
  for (const InstallDialogInfo& info : INSTALLATION_DIALOGS) {
    if (kind == info.kind) return info.dialog;
  }
  return std::nullopt;
}

}  // namespace setup
