#pragma once

#include <atomic>

#include "config/setup_config.h"
#include "ui/dialogs/installation_dialogs.h"
#include "ui/framework/canvas.h"
#include "ui/framework/dialog.h"
#include "ui/framework/user_driver.h"

namespace setup {

// The small fixed dialogs around the installation. Each sets its SETUP.TXT texts in
// OnInitDialog only when the configuration is valid (the exit confirmation always), so an
// incomplete SETUP.INI shows the templates' placeholders.

// Names the product at the start (template 101). Result ignored by the caller.
class CWelcomeDlg : public CDialog {
 public:
  CWelcomeDlg(WindowSystem& window_system, const SetupConfig& config);
  const char* ClassName() const override { return KindOf(InstallDialog::Welcome); }
  bool OnInitDialog() override;

 private:
  const SetupConfig& m_config;
};

// The exit confirmation (template 108): Continue returns ID_OK and leaves the exit flag;
// Exit and Esc set m_bExitRequested (the install run's flag) and return ID_CANCEL.
class CExitDlg : public CDialog {
 public:
  enum class Answer { Continue, Exit };

  // Gives `answer` on the shown dialog by its button.
  static bool GiveAnswer(UserDriver& driver, Answer answer);

  CExitDlg(WindowSystem& window_system, const SetupConfig& config,
           std::atomic<bool>& exit_requested);
  const char* ClassName() const override { return KindOf(InstallDialog::Exit); }
  bool OnInitDialog() override;
  void OnCancel() override;
  // The answer the dialog ended with.
  Answer GetAnswer() const { return result() == ID_OK ? Answer::Continue : Answer::Exit; }

 private:
  const SetupConfig& m_config;
  std::atomic<bool>& m_bExitRequested;
};

// Not enough space on one drive (template 106).
class CNoRoomDlg : public CDialog {
 public:
  CNoRoomDlg(WindowSystem& window_system, const SetupConfig& config, char drive);
  const char* ClassName() const override { return KindOf(InstallDialog::NoRoom); }
  bool OnInitDialog() override;

 private:
  const SetupConfig& m_config;
  char m_cDrive;
};

// The installation ended with the exit flag set (template 111).
class CSetupFailedDlg : public CDialog {
 public:
  CSetupFailedDlg(WindowSystem& window_system, const SetupConfig& config);
  const char* ClassName() const override { return KindOf(InstallDialog::SetupFailed); }
  bool OnInitDialog() override;

 private:
  const SetupConfig& m_config;
};

// The installation ended normally (template 104).
class CFinishedDlg : public CDialog {
 public:
  CFinishedDlg(WindowSystem& window_system, const SetupConfig& config);
  const char* ClassName() const override { return KindOf(InstallDialog::Finished); }
  bool OnInitDialog() override;

 private:
  const SetupConfig& m_config;
};

// Shown modeless while the section scripts run (template 115); names the product of the
// section under the cursor when it is created.
class CUpdatingDlg : public CDialog {
 public:
  CUpdatingDlg(WindowSystem& window_system, const SetupConfig& config);
  const char* ClassName() const override { return KindOf(InstallDialog::Updating); }
  bool OnInitDialog() override;

 private:
  const SetupConfig& m_config;
};

// The screen-filling main window (template 102, modeless): a blue gradient and, when the
// configuration is valid, the ScreenMessage text in white with a black shadow.
class CBackdropDlg : public CDialog {
 public:
  CBackdropDlg(WindowSystem& window_system, const SetupConfig& config);
  const char* ClassName() const override { return KindOf(InstallDialog::Backdrop); }
  bool OnInitDialog() override;
  void OnPaint(Canvas& canvas) override;

  // The brush (blue level 255 - index) of pixel row y in a client area `height` rows high.
  static int GradientIndex(int y, int height);
  // The message font: Arial, 28 pixels, italic.
  static Font MessageFont();

  bool m_bFontCreated = false;
  Font m_font;
  Rect m_rcWindow;
  int m_hIcon = ICON_APPLICATION;

 private:
  const SetupConfig& m_config;
};

}  // namespace setup
