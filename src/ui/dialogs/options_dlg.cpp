#include "ui/dialogs/options_dlg.h"

#include <algorithm>
#include <array>
#include <limits>

#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "ui/dialogs/browse_dlg.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/message_dialogs.h"
#include "ui/dialogs/safe_format.h"
#include "ui/dialogs/size_format.h"
#include "ui/framework/text_compare.h"

namespace setup {

namespace {

constexpr char TRUE_WORD[] = "TRUE";
constexpr char FALSE_WORD[] = "FALSE";

uint64_t AddSaturating(uint64_t a, uint64_t b) {
  return a > std::numeric_limits<uint64_t>::max() - b ? std::numeric_limits<uint64_t>::max()
                                                      : a + b;
}

}  // namespace

COptionsDlg::COptionsDlg(WindowSystem& window_system, SetupConfig& config, SpecialFolders& folders,
                         FileSystem& fs, const Registry& registry, const CodePage& code_page,
                         std::atomic<bool>& exit_requested)
    : CDialog(window_system, TemplateOf(InstallDialog::Options)),
      m_config(config),
      m_folders(folders),
      m_fs(fs),
      m_registry(registry),
      m_codePage(code_page),
      m_bExitRequested(exit_requested) {
  OnCommandId(OptionsIds::CHANGE_FOLDER, NOTIFY_CLICKED, [this] { OnChangeFolder(); });
  OnCommandId(OptionsIds::DRIVES, NOTIFY_COMBO_SELCHANGE, [this] { OnDriveSelChange(); });
  OnMessageId(WM_CHECKLIST_CLICK, [this](uintptr_t, intptr_t) { return OnCheckListClick(); });
}

int COptionsDlg::SectionCount() const { return std::clamp(m_config.m_nSections, 0, MAX_SECTIONS); }

bool COptionsDlg::IsChosen() const {
  return EqualsNoCaseAscii(m_config.GetSectionValue(KEY_INSTALLBYDEFAULT), TRUE_WORD);
}

std::string COptionsDlg::FormatListSize(const std::string& file_size) const {
  if (file_size.empty()) return "";
  return FormatByteSize(ParseByteCount(file_size),
                        SizeUnits{Text(TEXT_BYTES), Text(TEXT_KBYTES), Text(TEXT_MBYTES)});
}

bool COptionsDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_strSavedDest = m_config.GetSectionValue(KEY_DESTDIR);
  SetCaptionText(Text(TEXT_OPTIONSTITLE));
  m_nSelected = 0;
  SetControlText(OptionsIds::INSTRUCTIONS, Text(TEXT_INSTRUCTIONTEXT));
  SetControlText(OptionsIds::OPTIONS_LABEL, Text(TEXT_OPTIONSTATIC));
  SetControlText(OptionsIds::DESCRIPTION_LABEL, Text(TEXT_DESCRIPTIONSTATIC));
  SetControlText(OptionsIds::FOLDER_FRAME, Text(TEXT_FOLDERTITLE));
  m_dialogFont = DialogFont();
  SetControlText(OptionsIds::CHANGE_FOLDER, Text(TEXT_CHANGEDIRBUTTON));
  SetControlText(ID_OK, Text(TEXT_CONTINUEBUTTON));
  SetControlText(ID_CANCEL, Text(TEXT_EXITBUTTON));
  SetControlText(OptionsIds::SPACE_AVAILABLE, Text(TEXT_SPACEAVAILABLE));
  SetControlText(OptionsIds::SPACE_REQUIRED, Text(TEXT_SPACEREQUIRED));

  // The list stands to the left of the description frame.
  Rect box =
      GetDlgItem(OptionsIds::LIST_FRAME) ? GetDlgItem(OptionsIds::LIST_FRAME)->GetRect() : Rect{};
  Rect list{box.left - 273, box.top + 7, box.left - 10, box.bottom + 7};
  m_pCheckList = std::make_unique<COptionCheckListBox>(window_system());
  m_pCheckList->Create(m_dialogFont, list, *this, OptionsIds::CHECK_LIST);

  for (int i = 0; i < SectionCount(); ++i) {
    m_config.m_nCurrentSection = i;
    std::string product = m_config.GetSectionValue(KEY_PRODUCTNAME);
    m_pCheckList->AddString(product + "\t" +
                            FormatListSize(m_config.GetSectionValue(KEY_FILESIZE)));
    if (!IsChosen()) continue;
    if (m_registry.KeyExists(std::string(UNINSTALL_KEY) + "\\" + product)) {
      m_config.SetSectionValue(KEY_INSTALLBYDEFAULT, FALSE_WORD);  // installed already
    } else {
      m_pCheckList->SetCheck(i, 1);
    }
  }

  if (!m_config.m_bChangeFolderButton) ShowDlgItem(OptionsIds::CHANGE_FOLDER, false);
  if (EqualsNoCaseAscii(m_config.GetSetting(SETTING_CHANGEFOLDERBUTTON), "CHANGEDRIVE")) {
    ComboControl* combo = GetCombo(OptionsIds::DRIVES);
    uint32_t drives = m_fs.GetLogicalDrives();
    for (int bit = 0; combo != nullptr && bit < 26; ++bit) {
      std::string root = "?:\\";
      root[0] = static_cast<char>('A' + bit);
      if ((drives & (1u << bit)) == 0 || m_fs.DriveTypeOf(root) == DriveType::CdRom) continue;
      std::string entry = "[?]";
      entry[1] = root[0];
      combo->AddString(entry);
    }
    if (combo != nullptr) combo->SetCurSel(combo->FindStringExact("[C]"));
    ShowDlgItem(OptionsIds::DRIVES_LABEL, true);
    ShowDlgItem(OptionsIds::DRIVES, true);
  }
  RefreshOptionInfo();
  return true;
}

uint64_t COptionsDlg::GetDriveFreeBytes(char letter) {
  std::string root = std::string(1, letter) + ":\\";
  auto space = m_fs.FreeSpaceOf(root);
  return space.ok() ? space->free_bytes : 0;
}

void COptionsDlg::RefreshOptionInfo() {
  SizeUnits units{Text(TEXT_BYTES), Text(TEXT_KBYTES), Text(TEXT_MBYTES)};
  m_config.m_nCurrentSection = m_nSelected;
  std::string dest = m_config.GetSectionValue(KEY_DESTDIR);
  char letter = dest.empty() ? '\0' : dest[0];
  SetControlText(OptionsIds::SPACE_AVAILABLE,
                 SafeFormat(Text(TEXT_SPACEAVAILABLE),
                            {FormatArg::Chr(letter),
                             FormatArg::Str(FormatByteSize(GetDriveFreeBytes(letter), units))}));
  uint64_t required = 0;
  for (int i = 0; i < SectionCount(); ++i) {
    m_config.m_nCurrentSection = i;
    if (IsChosen()) {
      required = AddSaturating(required, ParseByteCount(m_config.GetSectionValue(KEY_FILESIZE)));
    }
  }
  m_config.m_nCurrentSection = m_nSelected;
  SetControlText(OptionsIds::FOLDER, m_config.GetSectionValue(KEY_DESTDIR));
  SetControlText(
      OptionsIds::SPACE_REQUIRED,
      SafeFormat(Text(TEXT_SPACEREQUIRED),
                 {FormatArg::Chr(letter), FormatArg::Str(FormatByteSize(required, units))}));
  SetControlText(OptionsIds::DESCRIPTION,
                 SafeFormat(Text(TEXT_DESCRIPTIONTEXT),
                            {FormatArg::Str(m_config.GetSectionValue(KEY_PRODUCTNAME))}));
}

intptr_t COptionsDlg::OnCheckListClick() {
  m_nSelected = m_pCheckList ? m_pCheckList->m_nLastClicked : 0;
  m_config.m_nCurrentSection = m_nSelected;
  bool checked = m_pCheckList && m_pCheckList->GetCheck(m_nSelected) == 1;
  m_config.SetSectionValue(KEY_INSTALLBYDEFAULT, checked ? TRUE_WORD : FALSE_WORD);
  m_config.m_nCurrentSection = 0;
  RefreshOptionInfo();
  return 0;
}

void COptionsDlg::OnChangeFolder() {
  CBrowseDlg browse(window_system(), m_config, m_fs, m_codePage);
  if (browse.DoModal() != ID_OK) return;
  m_config.m_nCurrentSection = m_nSelected;
  m_config.SetSectionValue(KEY_DESTDIR, browse.m_selectedPath);
  RefreshOptionInfo();
}

void COptionsDlg::SetSectionFolder(int index, const std::string& folder) {
  if (index < 0 || index >= SectionCount()) return;
  m_config.m_nCurrentSection = index;
  m_config.SetSectionValue(KEY_DESTDIR, folder);
  m_config.m_nCurrentSection = m_nSelected;
  RefreshOptionInfo();
}

void COptionsDlg::OnDriveSelChange() {
  ComboControl* combo = GetCombo(OptionsIds::DRIVES);
  if (combo == nullptr) return;
  std::string entry = combo->GetLBText(combo->GetCurSel());
  if (entry.size() < 2) return;
  char letter = entry[1];
  for (int i = 0; i < SectionCount(); ++i) {
    m_config.m_nCurrentSection = i;
    std::string dest = m_config.GetSectionValue(KEY_DESTDIR);
    if (dest.empty()) continue;  // nothing to replace; the space check reports it
    dest[0] = letter;
    m_config.SetSectionValue(KEY_DESTDIR, dest);
  }
  m_config.m_nCurrentSection = 0;
  RefreshOptionInfo();
}

bool COptionsDlg::GiveFolder(UserDriver& driver, int number, const std::string& folder,
                             std::optional<std::string>& browse_folder) {
  driver.ClickListItem(OptionsIds::CHECK_LIST, number - 1, false);
  browse_folder = folder;
  if (!driver.Click(OptionsIds::CHANGE_FOLDER)) {
    browse_folder.reset();
    return false;
  }
  // The browse window's edit refuses characters a folder may hold ('\\' among them): the
  // section gets the folder exactly as answered.
  if (auto* options = dynamic_cast<COptionsDlg*>(&driver.dialog())) {
    options->SetSectionFolder(number - 1, folder);
  }
  return true;
}

int COptionsDlg::ListedSections(UserDriver& driver) {
  ListControl* list = driver.dialog().GetList(OptionsIds::CHECK_LIST);
  return list ? list->GetCount() : 0;
}

bool COptionsDlg::GiveAnswer(UserDriver& driver, const Answer& answer,
                             std::optional<std::string>& browse_folder) {
  if (answer.drive) driver.PickCombo(OptionsIds::DRIVES, std::string("[") + *answer.drive + "]");
  const int count = ListedSections(driver);
  for (const auto& [number, folder] : answer.folders) {
    if (number >= 1 && number <= count) GiveFolder(driver, number, folder, browse_folder);
  }
  if (answer.selection) {
    ListControl* list = driver.dialog().GetList(OptionsIds::CHECK_LIST);
    for (int i = 0; i < count; ++i) {
      const bool want = answer.selection->count(i + 1) != 0;
      if ((list->GetCheck(i) == 1) != want) driver.ClickListItem(OptionsIds::CHECK_LIST, i, true);
    }
  }
  return driver.Click(answer.button == Button::Exit ? OptionsIds::EXIT : OptionsIds::CONTINUE);
}

std::string COptionsDlg::NoDriveLetterText(const std::string& product, const std::string& dest) {
  return "The folder '" + dest + "' chosen for " + product +
         " does not start with a drive letter. Please choose another folder.";
}

bool COptionsDlg::CheckDiskSpace() {
  std::array<uint64_t, 26> sums{};
  bool ok = true;
  for (int i = 0; i < SectionCount(); ++i) {
    m_config.m_nCurrentSection = i;
    if (!IsChosen()) continue;
    std::string dest = m_config.GetSectionValue(KEY_DESTDIR);
    char letter = dest.empty() ? '\0' : UpperAscii(dest[0]);
    if (letter < 'A' || letter > 'Z') {
      ShowMessage(NoDriveLetterText(m_config.GetSectionValue(KEY_PRODUCTNAME), dest));
      ok = false;
      continue;
    }
    uint64_t size = ParseByteCount(m_config.GetSectionValue(KEY_FILESIZE));
    sums[letter - 'A'] = AddSaturating(sums[letter - 'A'], size);
  }
  for (int d = 0; d < 26; ++d) {
    if (sums[d] == 0) continue;
    char letter = static_cast<char>('A' + d);
    if (sums[d] > GetDriveFreeBytes(letter)) {
      CNoRoomDlg no_room(window_system(), m_config, letter);
      no_room.DoModal();
      ok = false;
    }
  }
  return ok;
}

void COptionsDlg::OnOK() {
  std::string dest = m_config.GetSectionValue(KEY_DESTDIR);
  if (dest.size() == 3 && dest[1] == ':' && dest[2] == '\\') {
    ShowMessage(Text(TEXT_NOCHANGE));
    m_config.SetSectionValue(KEY_DESTDIR, m_strSavedDest);
    RefreshOptionInfo();
    return;
  }
  for (int i = 0; i < SectionCount(); ++i) {
    m_config.m_nCurrentSection = i;
    bool checked = m_pCheckList && m_pCheckList->GetCheck(i) == 1;
    m_config.SetSectionValue(KEY_INSTALLBYDEFAULT, checked ? TRUE_WORD : FALSE_WORD);
  }
  m_config.m_nCurrentSection = 0;
  if (!CheckDiskSpace()) return;
  m_config.m_nCurrentSection = 0;
  std::string path = m_config.GetSectionValue(KEY_DESTDIR);
  m_folders[FOLDER_INSTALLPATH] = path;
  m_folders[FOLDER_INSTALLDRIVE] = path.substr(0, 1);
  m_folders[FOLDER_WORKDIR] = path.size() > 2 ? path.substr(2) : "";
  CDialog::OnOK();
}

void COptionsDlg::OnCancel() {
  CExitDlg exit(window_system(), m_config, m_bExitRequested);
  exit.DoModal();
  if (m_bExitRequested) EndDialog(ID_CANCEL);
}

void COptionsDlg::PostNcDestroy() {
  m_pCheckList.reset();
  CDialog::PostNcDestroy();
}

}  // namespace setup
