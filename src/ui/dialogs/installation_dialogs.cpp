#include "ui/dialogs/installation_dialogs.h"

#include "ui/dialogs/dialog_templates.h"

namespace setup {

namespace {

using D = InstallDialog;

constexpr InstallDialogInfo DIALOGS[] = {
    {D::Welcome, "CWelcomeDlg", WelcomeTemplate},
    {D::Backdrop, "CBackdropDlg", BackdropTemplate},
    {D::ConfirmReplace, "CConfirmReplaceDlg", ConfirmReplaceTemplate},
    {D::Finished, "CFinishedDlg", FinishedTemplate},
    {D::NoRoom, "CNoRoomDlg", NoRoomTemplate},
    {D::Exit, "CExitDlg", ExitTemplate},
    {D::SetupFailed, "CSetupFailedDlg", SetupFailedTemplate},
    {D::Installing, "CInstallingDlg", InstallingTemplate},
    {D::Browse, "CBrowseDlg", BrowseTemplate},
    {D::Updating, "CUpdatingDlg", UpdatingTemplate},
    {D::Options, "COptionsDlg", OptionsTemplate},
};

// Rows are looked up by position, so the table must follow the enum's order.
constexpr bool InEnumOrder() {
  for (size_t i = 0; i < std::size(DIALOGS); ++i) {
    if (static_cast<size_t>(DIALOGS[i].dialog) != i) return false;
  }
  return true;
}
static_assert(InEnumOrder());
static_assert(std::size(DIALOGS) == static_cast<size_t>(D::Options) + 1);

}  // namespace

std::span<const InstallDialogInfo> InstallationDialogs() { return DIALOGS; }

const char* KindOf(InstallDialog dialog) { return DIALOGS[static_cast<size_t>(dialog)].kind; }

DialogTemplate TemplateOf(InstallDialog dialog) {
  return DIALOGS[static_cast<size_t>(dialog)].make_template();
}

std::optional<InstallDialog> FindInstallDialog(std::string_view kind) {
  for (const InstallDialogInfo& info : DIALOGS) {
    if (kind == info.kind) return info.dialog;
  }
  return std::nullopt;
}

}  // namespace setup
