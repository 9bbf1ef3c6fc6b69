#include "ui/dialogs/dialog_templates.h"

#include "ui/dialogs/dialog_ids.h"
#include "ui/framework/canvas.h"
#include "ui/framework/window_messages.h"

namespace setup {

namespace {

using K = ControlKind;
constexpr char DEFAULT_TITLE[] = "This is the default title";

ControlTemplate IconAt(int icon, int x, int y) {
  ControlTemplate control = Ctl(IDC_STATIC, K::Icon, "", x, y, 18, 20);
  control.icon = icon;
  return control;
}

ControlTemplate Hidden(ControlTemplate control) {
  control.hidden = true;
  return control;
}

DialogTemplate Make(int id, const char* caption, int cx, int cy, bool centered,
                    std::vector<ControlTemplate> controls) {
  DialogTemplate t;
  t.resource_id = id;
  t.caption = caption;
  t.size = Size{cx, cy};
  t.centered = centered;
  t.controls = std::move(controls);
  return t;
}

}  // namespace

DialogTemplate WelcomeTemplate() {
  return Make(
      101, DEFAULT_TITLE, 186, 95, true,
      {Ctl(ID_OK, K::DefPushButton, "OK", 67, 73, 50, 14, "OK"),
       Ctl(WelcomeIds::TEXT, K::Static, "This is the default welcome text.", 43, 12, 135, 44),
       IconAt(ICON_INFORMATION, 9, 12)});
}

DialogTemplate BackdropTemplate() {
  DialogTemplate t = Make(102, "Setup", 185, 92, false, {});
  t.show_in_taskbar = true;
  return t;
}

DialogTemplate ConfirmReplaceTemplate() {
  return Make(
      103, DEFAULT_TITLE, 277, 140, false,
      {Ctl(ConfirmReplaceIds::YES, K::DefPushButton, "Yes", 18, 116, 50, 14, "Yes"),
       Ctl(ConfirmReplaceIds::YES_TO_ALL, K::PushButton, "Yes To All", 81, 116, 50, 14, "YesToAll"),
       Ctl(ConfirmReplaceIds::NO, K::PushButton, "No", 143, 116, 50, 14, "No"),
       Ctl(ConfirmReplaceIds::CANCEL, K::PushButton, "Cancel", 206, 116, 50, 14, "Cancel"),
       IconAt(ICON_REPLACE, 6, 6),
       Ctl(ConfirmReplaceIds::FILE_TEXT, K::Static,
           "This folder already contains a file called '%s'.", 36, 6, 230, 21),
       Ctl(ConfirmReplaceIds::QUESTION, K::Static, "Would you like to replace the existing file",
           36, 30, 215, 8),
       Ctl(ConfirmReplaceIds::OLD_SIZE, K::Static, "975 KB", 56, 47, 67, 8),
       Ctl(ConfirmReplaceIds::OLD_DATE, K::Static, "modified on %s", 56, 60, 209, 8),
       Ctl(ConfirmReplaceIds::WITH_TEXT, K::Static, "with this one?", 35, 72, 44, 8),
       Ctl(ConfirmReplaceIds::NEW_SIZE, K::Static, "975 KB", 57, 84, 70, 8),
       Ctl(ConfirmReplaceIds::NEW_DATE, K::Static, "modified on %s", 57, 97, 209, 8)});
}

DialogTemplate FinishedTemplate() {
  return Make(104, DEFAULT_TITLE, 186, 95, true,
              {Ctl(ID_OK, K::DefPushButton, "OK", 67, 74, 50, 14, "OK"),
               Ctl(FinishedIds::TEXT, K::Static, "This is the default text", 31, 7, 148, 60),
               IconAt(ICON_SETUP, 5, 7)});
}

DialogTemplate NoRoomTemplate() {
  return Make(106, "", 185, 114, false,
              {Ctl(ID_OK, K::DefPushButton, "OK", 67, 82, 50, 14, "OK"),
               Ctl(NoRoomIds::TEXT, K::Static, "This is the default text", 7, 7, 172, 57)});
}

DialogTemplate ExitTemplate() {
  return Make(
      108, DEFAULT_TITLE, 186, 95, true,
      {Ctl(ExitIds::CONTINUE, K::PushButton, "OK", 29, 70, 50, 14, "Continue"),
       Ctl(ExitIds::EXIT, K::DefPushButton, "Cancel", 97, 70, 50, 14, "Exit"),
       Ctl(ExitIds::TEXT, K::Static, "This is the default \"Cancel\" text", 31, 14, 141, 42),
       IconAt(ICON_INFORMATION, 5, 14)});
}

DialogTemplate SetupFailedTemplate() {
  return Make(111, DEFAULT_TITLE, 210, 102, true,
              {Ctl(ID_OK, K::DefPushButton, "OK", 81, 81, 50, 14, "OK"),
               Ctl(SetupFailedIds::TEXT, K::Static, "This is the default", 42, 11, 160, 56),
               IconAt(ICON_SETUP, 7, 11)});
}

DialogTemplate InstallingTemplate() {
  return Make(112, DEFAULT_TITLE, 272, 154, false,
              {Ctl(InstallingIds::CANCEL, K::PushButton, "Cancel", 111, 133, 50, 14, "Cancel"),
               Ctl(InstallingIds::TEXT, K::Static, "Setup is installing", 7, 7, 114, 8),
               Ctl(InstallingIds::SOURCE_NAME, K::Static, "filename1", 7, 28, 258, 8),
               Ctl(InstallingIds::TO_TEXT, K::Static, "to", 7, 50, 31, 8),
               Ctl(InstallingIds::DEST_NAME, K::Static, "filename2", 7, 71, 258, 8),
               // The bytes of the section copied so far, in the room between the names and
               // the button.
               Ctl(InstallingIds::PROGRESS, K::ProgressBar, "", 7, 98, 258, 10)});
}

DialogTemplate BrowseTemplate() {
  return Make(113, "Browse", 212, 210, false,
              {Ctl(BrowseIds::TREE, K::TreeView, "", 15, 7, 186, 110),
               Ctl(BrowseIds::CURRENT_LABEL, K::Static, "Current directory:", 15, 130, 62, 8),
               Ctl(BrowseIds::CURRENT_PATH, K::Static, "", 84, 130, 116, 8),
               Ctl(BrowseIds::NEW_LABEL, K::Static, "New Directory:", 15, 152, 56, 8),
               Ctl(BrowseIds::NEW_DIRECTORY, K::Edit, "", 84, 150, 116, 14),
               Ctl(ID_OK, K::DefPushButton, "OK", 31, 177, 50, 14, "OK"),
               Ctl(ID_CANCEL, K::PushButton, "Cancel", 133, 177, 50, 14, "Cancel")});
}

DialogTemplate UpdatingTemplate() {
  return Make(115, "Updating Files", 186, 95, false,
              {Ctl(UpdatingIds::TEXT, K::Static, "Setup is updating your system", 7, 7, 172, 81)});
}

DialogTemplate OptionsTemplate() {
  ControlTemplate combo = Hidden(Ctl(OptionsIds::DRIVES, K::ComboDropList, "", 267, 185, 26, 42));
  combo.sorted = true;
  DialogTemplate t = Make(
      116, "Options", 314, 234, false,
      {Ctl(OptionsIds::CONTINUE, K::DefPushButton, "&Continue", 92, 213, 50, 14, "Continue"),
       Ctl(OptionsIds::EXIT, K::PushButton, "Cancel", 170, 213, 50, 14, "Exit"),
       Ctl(OptionsIds::INSTRUCTIONS, K::Static,
           "In the Options list, select the items you want installed; clear the items you do "
           "not want installed.",
           7, 7, 300, 19),
       Ctl(OptionsIds::OPTIONS_LABEL, K::Static, "Options:", 7, 35, 27, 8),
       Ctl(OptionsIds::LIST_FRAME, K::GroupBox, "", 187, 42, 120, 104),
       Ctl(OptionsIds::DESCRIPTION_LABEL, K::Static, "Description:", 187, 35, 48, 8),
       Ctl(OptionsIds::DESCRIPTION, K::Static, "Installs the PRODUCT files.", 191, 52, 110, 84),
       Ctl(OptionsIds::FOLDER_FRAME, K::GroupBox, "Folder for Currently Selected Option:", 13, 150,
           288, 24),
       Ctl(OptionsIds::FOLDER, K::Static, "D:", 19, 161, 179, 8),
       Ctl(OptionsIds::CHANGE_FOLDER, K::PushButton, "Change Folder...", 219, 157, 74, 14,
           "ChangeFolder"),
       Ctl(OptionsIds::SPACE_REQUIRED, K::Static, "Space required on drive C:", 13, 180, 195, 8),
       Ctl(OptionsIds::SPACE_AVAILABLE, K::Static, "Space available on drive C:", 13, 192, 195, 8),
       Hidden(Ctl(OptionsIds::DRIVES_LABEL, K::Static, "Drives:", 233, 189, 23, 8)), combo});
  t.show_in_taskbar = true;
  return t;
}

}  // namespace setup
