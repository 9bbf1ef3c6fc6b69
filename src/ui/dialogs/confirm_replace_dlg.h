#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "config/setup_config.h"
#include "platform/file_types.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/dialog.h"
#include "ui/framework/user_driver.h"

namespace setup {

// Asks before an existing file is replaced (template 103). The caller tells the answers
// apart by the flags first, then by the result: m_bYesToAll (ID_OK), m_bNo (ID_OK), Yes (ID_OK,
// no flag), Cancel (ID_CANCEL). Sizes are 64-bit, so files beyond 2 GB
// show their true size.
class CConfirmReplaceDlg : public CDialog {
 public:
  using LocalTimeFn = std::function<FileTime(FileTime)>;
  enum class Answer { Yes, YesToAll, No, Cancel };

  // Gives `answer` on the shown dialog by its button.
  static bool GiveAnswer(UserDriver& driver, Answer answer);

  // `to_local` converts the UTC file times for display (the host's zone by default).
  CConfirmReplaceDlg(WindowSystem& window_system, const SetupConfig& config, std::string file_name,
                     int64_t new_size, int64_t old_size, FileTime ft_new, FileTime ft_old,
                     LocalTimeFn to_local = {});
  const char* ClassName() const override { return KindOf(InstallDialog::ConfirmReplace); }
  bool OnInitDialog() override;
  void OnYesToAll();
  void OnNo();

  bool m_bYesToAll = false;
  bool m_bNo = false;
  std::string m_strFileName;
  int64_t m_nNewSize;
  int64_t m_nOldSize;
  FileTime m_ftNew;
  FileTime m_ftOld;

 private:
  std::string DateText(FileTime time) const;

  const SetupConfig& m_config;
  LocalTimeFn m_toLocal;
};

}  // namespace setup
