#include "ui_fixture.h"

#include "ui/dialogs/options_dlg.h"

namespace setup::testing {

void FillTexts(SetupConfig& config) {
  const std::map<int, std::string> texts = {
      {TEXT_OKBUTTON, "OK"},
      {TEXT_CANCELBUTTON, "Cancel"},
      {TEXT_SCREENMESSAGE, "Quillby Setup"},
      {TEXT_WELCOMETITLE, "Welcome"},
      {TEXT_WELCOMETEXT, "Welcome to the setup of %s."},
      {TEXT_EXITTITLE, "Exit Setup"},
      {TEXT_EXITTEXT, "Setup is not complete. Exit anyway?"},
      {TEXT_FINISHEDTITLE, "Finished"},
      {TEXT_FINISHEDTEXT, "%s has been installed."},
      {TEXT_NOROOMTITLE, "Not Enough Space"},
      {TEXT_NOROOMTEXT, "There is not enough space on drive %c:."},
      {TEXT_CONFIRMREPLACETITLE, "Confirm File Replace"},
      {TEXT_CONFIRMREPLACETEXT1, "This folder already contains a file called '%s'."},
      {TEXT_CONFIRMREPLACETEXT2, "Would you like to replace the existing file"},
      {TEXT_CONFIRMREPLACETEXT3, "modified on %s"},
      {TEXT_CONFIRMREPLACETEXT4, "with this one?"},
      {TEXT_YESTOALLTITLE, "Yes to &All"},
      {TEXT_YESTOALLBUTTON, "&Yes"},
      {TEXT_NOBUTTON, "&No"},
      {TEXT_SETUPFAILEDTITLE, "Setup Failed"},
      {TEXT_SETUPFAILEDTEXT, "Setup did not complete."},
      {TEXT_BROWSETITLE, "Choose Folder"},
      {TEXT_BROWSETEXT1, "Folder:"},
      {TEXT_BROWSETEXT2, "New folder:"},
      {TEXT_CONTINUEBUTTON, "&Continue"},
      {TEXT_EXITBUTTON, "E&xit"},
      {TEXT_CHANGEDIRBUTTON, "Change &Folder..."},
      {TEXT_UPDATINGTITLE, "Updating"},
      {TEXT_UPDATINGTEXT, "Updating the files of %s."},
      {TEXT_OPTIONSTITLE, "Choose Options"},
      {TEXT_INSTRUCTIONTEXT, "Tick what you want installed."},
      {TEXT_OPTIONSTATIC, "Options:"},
      {TEXT_FOLDERTITLE, "Folder:"},
      {TEXT_SPACEREQUIRED, "Space required on drive %c: %s"},
      {TEXT_SPACEAVAILABLE, "Space available on drive %c: %s"},
      {TEXT_DESCRIPTIONSTATIC, "Description:"},
      {TEXT_DESCRIPTIONTEXT, "Installs the %s files."},
      {TEXT_BYTES, "Bytes"},
      {TEXT_KBYTES, "KBytes"},
      {TEXT_MBYTES, "MBytes"},
      {TEXT_NOCHANGE, "Please choose a folder, not the root of a drive."},
  };
  for (const auto& [number, text] : texts) config.SetText(number, text);
  config.SetSetting(SETTING_MAINPRODNAME, "Quillby Book");
  config.m_bValid = true;
}

void AddSections(SetupConfig& config, const std::vector<TestSection>& sections) {
  for (size_t i = 0; i < sections.size(); ++i) {
    config.m_nCurrentSection = static_cast<int>(i);
    config.SetSectionValue(KEY_PRODUCTNAME, sections[i].product);
    config.SetSectionValue(KEY_DESTDIR, sections[i].dest);
    config.SetSectionValue(KEY_FILESIZE, sections[i].size);
    config.SetSectionValue(KEY_INSTALLBYDEFAULT, sections[i].by_default);
  }
  config.m_nSections = static_cast<int>(sections.size());
  config.m_nCurrentSection = 0;
}

Result<DiskSpace> SpaceFileSystem::FreeSpaceOf(const std::string& root) {
  char letter =
      root.empty() ? '?' : static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
  auto it = free_.find(letter);
  if (it == free_.end()) return Status::Error(WinError::NotReady, root, "no free space known");
  return DiskSpace{it->second, it->second};
}

OptionsSetup::OptionsSetup(const std::vector<TestSection>& sections) {
  disk.AddDrive('C', DriveType::Fixed);
  disk.AddDrive('D', DriveType::Fixed);
  disk.AddDrive('E', DriveType::CdRom);
  fs.SetFree('C', 100 << 20);
  fs.SetFree('D', 100 << 20);
  registry.emplace(std::move(RegistryFile::Open(temp.Join("registry.reg")).value()));
  FillTexts(config);
  AddSections(config, sections);
}

int OptionsSetup::Run(WindowSystem& ws, const CodePage& code_page) {
  COptionsDlg dialog(ws, config, folders, fs, *registry, code_page, exit_requested);
  return dialog.DoModal();
}

BrowseSetup::BrowseSetup(const CodePage& code_page) : disk("C:\\", code_page) {
  disk.AddDrive('A', DriveType::Removable);
  disk.AddDrive('C', DriveType::Fixed);
  disk.AddDrive('D', DriveType::CdRom);
  FillTexts(config);
}

int BrowseSetup::Run(WindowSystem& ws, const CodePage& code_page) {
  dialog = std::make_unique<CBrowseDlg>(ws, config, fs, code_page);
  return dialog->DoModal();
}

HeadlessRig::HeadlessRig(IniFile answers_file) : answers(std::move(answers_file)) {
  FillTexts(config);
}

std::vector<std::string> HeadlessRig::Lines() const {
  std::vector<std::string> lines;
  std::istringstream in(transcript.str());
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace setup::testing
