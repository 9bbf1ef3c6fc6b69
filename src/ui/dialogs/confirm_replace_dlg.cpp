#include "ui/dialogs/confirm_replace_dlg.h"

#include "config/setup_texts.h"
#include "platform/local_time.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/file_date_time.h"
#include "ui/dialogs/safe_format.h"
#include "ui/dialogs/size_format.h"

namespace setup {

CConfirmReplaceDlg::CConfirmReplaceDlg(WindowSystem& window_system, const SetupConfig& config,
                                       std::string file_name, int64_t new_size, int64_t old_size,
                                       FileTime ft_new, FileTime ft_old, LocalTimeFn to_local)
    : CDialog(window_system, TemplateOf(InstallDialog::ConfirmReplace)),
      m_strFileName(std::move(file_name)),
      m_nNewSize(new_size),
      m_nOldSize(old_size),
      m_ftNew(ft_new),
      m_ftOld(ft_old),
      m_config(config),
      m_toLocal(to_local ? std::move(to_local) : LocalTimeFn(FileTimeToLocalFileTime)) {
  OnCommandId(ConfirmReplaceIds::YES_TO_ALL, NOTIFY_CLICKED, [this] { OnYesToAll(); });
  OnCommandId(ConfirmReplaceIds::NO, NOTIFY_CLICKED, [this] { OnNo(); });
}

std::string CConfirmReplaceDlg::DateText(FileTime time) const {
  return FormatFileDateTime(FileTimeToSystemTime(m_toLocal(time)));
}

bool CConfirmReplaceDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  m_bNo = false;
  m_bYesToAll = false;
  if (m_config.m_bValid) {
    SizeUnits units{m_config.GetText(TEXT_BYTES), m_config.GetText(TEXT_KBYTES),
                    m_config.GetText(TEXT_MBYTES)};
    SetCaptionText(m_config.GetText(TEXT_CONFIRMREPLACETITLE));
    SetControlText(
        ConfirmReplaceIds::FILE_TEXT,
        SafeFormat(m_config.GetText(TEXT_CONFIRMREPLACETEXT1), {FormatArg::Str(m_strFileName)}));
    SetControlText(ConfirmReplaceIds::QUESTION, m_config.GetText(TEXT_CONFIRMREPLACETEXT2));
    SetControlText(ConfirmReplaceIds::OLD_SIZE, FormatReplaceSize(m_nOldSize, units));
    SetControlText(ConfirmReplaceIds::WITH_TEXT, m_config.GetText(TEXT_CONFIRMREPLACETEXT4));
    SetControlText(ConfirmReplaceIds::NEW_SIZE, FormatReplaceSize(m_nNewSize, units));
    std::string modified = m_config.GetText(TEXT_CONFIRMREPLACETEXT3);
    SetControlText(ConfirmReplaceIds::OLD_DATE,
                   SafeFormat(modified, {FormatArg::Str(DateText(m_ftOld))}));
    SetControlText(ConfirmReplaceIds::NEW_DATE,
                   SafeFormat(modified, {FormatArg::Str(DateText(m_ftNew))}));
    // The Yes button shows YesToAllButton and Yes To All shows YesToAllTitle; No keeps "No".
    SetControlText(ConfirmReplaceIds::YES, m_config.GetText(TEXT_YESTOALLBUTTON));
    SetControlText(ConfirmReplaceIds::CANCEL, m_config.GetText(TEXT_CANCELBUTTON));
    SetControlText(ConfirmReplaceIds::YES_TO_ALL, m_config.GetText(TEXT_YESTOALLTITLE));
  }
  CenterWindow();
  return true;
}

void CConfirmReplaceDlg::OnYesToAll() {
  m_bYesToAll = true;
  Send(MSG_COMMAND, MakeWParam(ID_OK, NOTIFY_CLICKED), 0);
}

bool CConfirmReplaceDlg::GiveAnswer(UserDriver& driver, Answer answer) {
  switch (answer) {
    case Answer::Yes:
      return driver.Click(ConfirmReplaceIds::YES);
    case Answer::YesToAll:
      return driver.Click(ConfirmReplaceIds::YES_TO_ALL);
    case Answer::No:
      return driver.Click(ConfirmReplaceIds::NO);
    case Answer::Cancel:
      return driver.Click(ConfirmReplaceIds::CANCEL);
  }
  return false;
}

void CConfirmReplaceDlg::OnNo() {
  m_bNo = true;
  CDialog::OnOK();
}

}  // namespace setup
