#include "app/plan_mode.h"

#include <atomic>
#include <string_view>
#include <vector>

#include "app/answers_check.h"
#include "app/answers_file.h"
#include "app/front_end.h"
#include "app/read_only_file_system.h"
#include "app/register_uninstall.h"
#include "app/registry_preview.h"
#include "app/startup_checks.h"
#include "config/ini_file.h"
#include "config/setup_config.h"
#include "config/special_folders.h"
#include "install/install_preparation.h"
#include "install/install_record_file.h"
#include "install/section_plan.h"
#include "install/section_shortcut.h"
#include "install/section_source.h"
#include "platform/code_page_text.h"
#include "script/expanded_script_line.h"
#include "script/script_text_reader.h"
#include "ui/backends/headless/headless_window_system.h"
#include "ui/dialogs/answers_user.h"
#include "ui/dialogs/options_dlg.h"
#include "ui/framework/console_message_box.h"
#include "ui/framework/text_compare.h"

namespace setup {
namespace {

// Scripts are small; a larger one is read this far.
constexpr size_t MAX_SCRIPT_BYTES = 16 * 1024 * 1024;

class PlanPrinter : public SectionPlanSink {
 public:
  PlanPrinter(std::ostream& out, const CodePage& code_page) : m_out(out), m_codePage(code_page) {}

  void Item(const std::string& ansi) { m_out << m_codePage.ToUtf8(ansi) << "\n"; }

  void PlanFolder(const std::string& destination) override { Item("folder " + destination); }
  void PlanFile(const std::string& source, const std::string& destination, uint64_t size,
                bool replaces) override {
    Item("file " + source + " -> " + destination + " (" + std::to_string(size) + " bytes)");
    if (replaces) Item("replace " + destination);
  }

 private:
  std::ostream& m_out;
  const CodePage& m_codePage;
};

// The fields of a script line as one line again, a field holding a blank in quotes.
std::string JoinFields(const ScriptArgs& args, size_t count) {
  std::string line;
  for (size_t slot = 0; slot < count; ++slot) {
    if (slot > 0) line += ' ';
    const bool quote = args[slot].find(' ') != std::string::npos;
    line += quote ? "\"" + args[slot] + "\"" : args[slot];
  }
  return line;
}

class InstallPlan {
 public:
  InstallPlan(FileSystem& fs, const CodePage& code_page, SetupConfig& config,
              SpecialFolders& folders, Registry* registry, PlanPrinter& printer)
      : m_fs(fs),
        m_codePage(code_page),
        m_config(config),
        m_folders(folders),
        m_registry(registry),
        m_printer(printer) {}

  bool IsChosen() const {
    return EqualsNoCaseAscii(m_config.GetSectionValue(KEY_INSTALLBYDEFAULT), "TRUE");
  }

  // False when the installation would stop at this section.
  bool Section(int s) {
    m_config.m_nCurrentSection = s;
    const std::string name =
        "section " + std::to_string(s + 1) + ": " + m_config.GetSectionValue(KEY_PRODUCTNAME);
    const std::string destination = m_config.GetSectionValue(KEY_DESTDIR);
    if (!IsChosen()) {
      m_printer.Item("skip " + name + " (not chosen)");
      return true;
    }
    m_printer.Item(name + " -> " + destination);
    const std::string source = SectionSourceDirectory(m_config, m_folders, m_codePage);
    Result<uint32_t> attributes = m_fs.GetAttributes(source);
    if (!attributes.ok() || (*attributes & ATTRIB_DIRECTORY) == 0) {
      m_printer.Item("stop: the folder '" + source + "' is not on the disc");
      return false;
    }
    PlanDirectoryTree(m_fs, m_config, m_codePage, source, destination, m_printer);
    const std::string link = SectionShortcutPath(m_config, m_folders, m_codePage);
    if (!link.empty()) {
      m_printer.Item("shortcut " + link + " -> " + destination);
      // As the shortcut step does, so the uninstall entry names the link.
      m_config.SetSectionValue(KEY_SHORTCUTLOCATION, link);
    }
    if (RegistersUninstall(m_fs, m_config, m_folders, m_codePage)) {
      m_printer.Item(
          "uninstaller " + WithTrailingBackslash(m_codePage, m_folders[FOLDER_STARTDIR]) +
          UNINSTALLER_NAME + " -> " + WithTrailingBackslash(m_codePage, m_folders[FOLDER_WINDOWS]) +
          UNINSTALLER_NAME);
      if (m_registry != nullptr) {
        const std::string key = UninstallEntryKey(m_config);
        for (const auto& [value, data] : UninstallEntryValues(m_config, m_folders, m_codePage)) {
          m_printer.Item("registry " + key + ": " + value + " = " + data);
        }
        m_printer.Item("record " + InstallRecordPath(m_folders[FOLDER_WINDOWS],
                                                     m_config.GetSectionValue(KEY_PRODUCTNAME),
                                                     m_codePage));
      }
    }
    return true;
  }

  void Script(int s) {
    m_config.m_nCurrentSection = s;
    if (!IsChosen()) return;
    const std::string command_file = m_config.GetSectionValue(KEY_COMMANDFILE);
    if (command_file.empty() || command_file == "NULL") return;
    m_printer.Item("script section " + std::to_string(s + 1) + ": " + command_file);
    m_fs.ChangeDirectory(m_folders[FOLDER_STARTDIR]);
    Result<std::string> text = ReadFileContents(m_fs, command_file, MAX_SCRIPT_BYTES);
    if (!text.ok()) {
      m_printer.Item("script message: Couldn't find script file " + command_file + ".");
      return;
    }
    ScriptTextReader reader([&](std::string_view line) {
      ScriptArgs args;
      const size_t count = ExpandScriptLine(line, args, m_config, m_folders, m_codePage);
      m_printer.Item("script line: " + JoinFields(args, count));
    });
    reader.Feed(*text);
    reader.Finish();
  }

 private:
  FileSystem& m_fs;
  const CodePage& m_codePage;
  SetupConfig& m_config;
  SpecialFolders& m_folders;
  Registry* m_registry;
  PlanPrinter& m_printer;
};

}  // namespace

int RunPlanMode(Host& host, const CommandLine& line, std::ostream& out, std::ostream& console) {
  const CodePage& code_page = host.code_page();
  ReadOnlyFileSystem fs(&host.file_system());
  std::optional<IniFile> read_answers = ReadAnswersFile(host, line.answers_file, console);
  if (!read_answers) return EXIT_USAGE;
  const IniFile& answers = *read_answers;

  SetupConfig config;
  std::vector<ConfigFinding> findings = config.Load(fs, code_page);
  if (line.answers_file) {
    const std::vector<std::string> mistakes = CheckAnswers(answers, *line.answers_file, config, fs);
    for (const std::string& mistake : mistakes) console << mistake << "\n";
    if (!mistakes.empty()) return EXIT_USAGE;
  }
  RegistryPreview registry(host);
  SpecialFolders folders(host.system(), registry.registry(), findings);
  ConsoleMessageBox messages(code_page, console);
  ShowConfigFindings(findings, messages);
  if (MissingStartupFile(fs, messages)) return EXIT_STARTUP;
  if (host.system().platform == PlatformLine::NT && !host.system().can_open_service_manager) {
    messages.ShowMessageBox({APP_CAPTION, config.GetText(TEXT_UPDATEREGISTRYERROR),
                             MessageBoxIcon::Warning, MessageBoxButtons::Ok});
    return EXIT_STARTUP;
  }
  PrepareInstall(config, folders, code_page, fs.CurrentDirectory());

  PlanPrinter printer(out, code_page);
  {
    AnswersUser user(answers);
    HeadlessWindowSystem ws(user, nullptr, code_page);
    RegistryOverlay no_registry(nullptr);
    std::atomic<bool> exit_requested = false;
    COptionsDlg options(ws, config, folders, fs,
                        registry.registry() ? *registry.registry() : no_registry, code_page,
                        exit_requested);
    options.DoModal();
    if (exit_requested) {
      printer.Item("exit: the Options dialog ends the installation");
      return EXIT_FAILED;
    }
  }
  InstallPlan plan(fs, code_page, config, folders, registry.registry(), printer);
  for (int s = 0; s < config.m_nSections; ++s) {
    if (!plan.Section(s)) return EXIT_FAILED;
  }
  for (int s = 0; s < config.m_nSections; ++s) plan.Script(s);
  return EXIT_FINISHED;
}

}  // namespace setup
