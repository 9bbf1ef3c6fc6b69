#include "ui/dialogs/message_dialogs.h"

#include "config/setup_keys.h"
#include "config/setup_texts.h"
#include "ui/dialogs/dialog_ids.h"
#include "ui/dialogs/safe_format.h"

namespace setup {

CWelcomeDlg::CWelcomeDlg(WindowSystem& window_system, const SetupConfig& config)
    : CDialog(window_system, TemplateOf(InstallDialog::Welcome)), m_config(config) {}

bool CWelcomeDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_WELCOMETITLE));
    SetControlText(WelcomeIds::TEXT,
                   SafeFormat(m_config.GetText(TEXT_WELCOMETEXT),
                              {FormatArg::Str(m_config.GetSetting(SETTING_MAINPRODNAME))}));
    SetControlText(ID_OK, m_config.GetText(TEXT_OKBUTTON));
  }
  CenterWindow();
  return true;
}

CExitDlg::CExitDlg(WindowSystem& window_system, const SetupConfig& config,
                   std::atomic<bool>& exit_requested)
    : CDialog(window_system, TemplateOf(InstallDialog::Exit)),
      m_config(config),
      m_bExitRequested(exit_requested) {}

bool CExitDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  SetCaptionText(m_config.GetText(TEXT_EXITTITLE));
  SetControlText(ExitIds::TEXT, m_config.GetText(TEXT_EXITTEXT));
  SetControlText(ExitIds::CONTINUE, m_config.GetText(TEXT_CONTINUEBUTTON));
  SetControlText(ExitIds::EXIT, m_config.GetText(TEXT_EXITBUTTON));
  GotoDlgCtrl(ExitIds::CONTINUE);
  return true;
}

bool CExitDlg::GiveAnswer(UserDriver& driver, Answer answer) {
  return driver.Click(answer == Answer::Continue ? ExitIds::CONTINUE : ExitIds::EXIT);
}

void CExitDlg::OnCancel() {
  m_bExitRequested = true;
  CDialog::OnCancel();
}

CNoRoomDlg::CNoRoomDlg(WindowSystem& window_system, const SetupConfig& config, char drive)
    : CDialog(window_system, TemplateOf(InstallDialog::NoRoom)),
      m_config(config),
      m_cDrive(drive) {}

bool CNoRoomDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_NOROOMTITLE));
    SetControlText(NoRoomIds::TEXT,
                   SafeFormat(m_config.GetText(TEXT_NOROOMTEXT), {FormatArg::Chr(m_cDrive)}));
    SetControlText(ID_OK, m_config.GetText(TEXT_OKBUTTON));
  }
  CenterWindow();
  return true;
}

CSetupFailedDlg::CSetupFailedDlg(WindowSystem& window_system, const SetupConfig& config)
    : CDialog(window_system, TemplateOf(InstallDialog::SetupFailed)), m_config(config) {}

bool CSetupFailedDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_SETUPFAILEDTITLE));
    SetControlText(SetupFailedIds::TEXT, m_config.GetText(TEXT_SETUPFAILEDTEXT));
    SetControlText(ID_OK, m_config.GetText(TEXT_OKBUTTON));
  }
  CenterWindow();
  return true;
}

CFinishedDlg::CFinishedDlg(WindowSystem& window_system, const SetupConfig& config)
    : CDialog(window_system, TemplateOf(InstallDialog::Finished)), m_config(config) {}

bool CFinishedDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_FINISHEDTITLE));
    SetControlText(FinishedIds::TEXT,
                   SafeFormat(m_config.GetText(TEXT_FINISHEDTEXT),
                              {FormatArg::Str(m_config.GetSetting(SETTING_MAINPRODNAME))}));
    SetControlText(ID_OK, m_config.GetText(TEXT_OKBUTTON));
  }
  CenterWindow();
  return true;
}

CUpdatingDlg::CUpdatingDlg(WindowSystem& window_system, const SetupConfig& config)
    : CDialog(window_system, TemplateOf(InstallDialog::Updating)), m_config(config) {}

bool CUpdatingDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  if (m_config.m_bValid) {
    SetCaptionText(m_config.GetText(TEXT_UPDATINGTITLE));
    SetControlText(UpdatingIds::TEXT,
                   SafeFormat(m_config.GetText(TEXT_UPDATINGTEXT),
                              {FormatArg::Str(m_config.GetSectionValue(KEY_PRODUCTNAME))}));
  }
  CenterWindow();
  return true;
}

CBackdropDlg::CBackdropDlg(WindowSystem& window_system, const SetupConfig& config)
    : CDialog(window_system, TemplateOf(InstallDialog::Backdrop)), m_config(config) {}

Font CBackdropDlg::MessageFont() { return Font{"ARIAL", 28, 400, true}; }

int CBackdropDlg::GradientIndex(int y, int height) {
  if (height <= 0) return 0;
  return static_cast<int>(static_cast<long long>(y) * 255 / height);
}

bool CBackdropDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  window()->SetIcon(m_hIcon);
  m_font = MessageFont();
  m_bFontCreated = window_system().CanCreateFont(m_font);
  ScreenMetrics metrics = window_system().Metrics();
  m_rcWindow = Rect{0, 0, metrics.cx_full_screen, metrics.cy_full_screen + metrics.cy_caption};
  window()->SetNormalRect(m_rcWindow);
  return true;
}

void CBackdropDlg::OnPaint(Canvas& canvas) {
  Size client = canvas.ClientSize();
  if (window() != nullptr && window()->IsMinimized()) {
    ScreenMetrics metrics = window_system().Metrics();
    canvas.FillRect(Rect{0, 0, client.cx, client.cy}, Rgb{192, 192, 192});
    canvas.DrawIcon(
        Point{(client.cx - metrics.cx_icon + 1) / 2, (client.cy - metrics.cy_icon + 1) / 2},
        m_hIcon);
    return;
  }
  for (int y = 0; y < client.cy; ++y) {
    int k = GradientIndex(y, client.cy);
    canvas.FillRect(Rect{0, y, client.cx, y + 1}, Rgb{0, 0, static_cast<uint8_t>(255 - k)});
  }
  if (m_bFontCreated && m_config.m_bValid) {
    std::string message = m_config.GetText(TEXT_SCREENMESSAGE);
    canvas.PaintText(Point{50, 50}, message, m_font, Rgb{0, 0, 0});
    canvas.PaintText(Point{46, 46}, message, m_font, Rgb{255, 255, 255});
  }
}

}  // namespace setup
