// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmAbout: the names, the version line and the credits, with "OK" (Enter and
// Escape press it) and "Infos système...", which starts the system information
// program where there is one. One instance for the whole program, opened through
// the workspace; closing it destroys it.
#include "ui/app/layer.h"
#include <QDialog>
#include <memory>

#include "ui/app/system_info.h"

class QPushButton;

namespace varnelio::ui {

class Workspace;

class AboutWindow : public QDialog {
  Q_OBJECT
 public:
  // registry and starter: the system's when not given.
  explicit AboutWindow(Workspace& workspace, std::unique_ptr<Registry> registry = {},
                       std::unique_ptr<ProgramStarter> starter = {});
  ~AboutWindow() override;

  static inline const QString kCaption = QStringLiteral("Orvalune - A propos de ");

  void startSystemInfo();

  // Accepting or rejecting (Enter, Escape) closes and so destroys the window.
  void done(int result) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void buildIdentity();
  void buildCredits();
  void buildButtons();
  void onOk() { close(); }
  void onSystemInfo() { startSystemInfo(); }

  Workspace& workspace_;
  std::unique_ptr<Registry> registry_;
  std::unique_ptr<ProgramStarter> starter_;
  QPushButton* okButton_ = nullptr;  // `cmdOK`
  QPushButton* systemInfoButton_ = nullptr;  // `cmdSysInfo`
};

// Registers "frmAbout" and "frmSplash" with the workspace.
void registerShellWindows(Workspace& workspace);

}  // namespace varnelio::ui
