// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// frmSplash, the start-up window: the family and product names, the version, date,
// operating-system and maker lines and the two pictures on light yellow, without a
// title bar. After its delay, or at the first key press or click on one of its
// reacting elements, it closes itself and opens the main window "Menu".
#include "ui/app/layer.h"
#include <QFrame>
#include <QPointer>
#include <QSet>
#include <QTimer>

class QLabel;

namespace varnelio::ui {

class Workspace;

class SplashWindow : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kDefaultDelayMs = 3000;

  // delayMs: the time from the first showing to the hand-off (shorter in tests).
  explicit SplashWindow(Workspace& workspace, int delayMs = kDefaultDelayMs);

  // Closes the splash window, which stops its timer, then opens "Menu". Runs once.
  void handOff();

  const QTimer& timer() const { return delay_; }
  // The client area, inside the window's border.
  QWidget* clientArea() const { return client_; }

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void buildPanel();
  void onDelayOver() { handOff(); }

  Workspace& workspace_;
  QTimer delay_;  // `Timer1`
  QWidget* client_ = nullptr;
  QFrame* panel_ = nullptr;  // `Frame1`
  QLabel* dateLabel_ = nullptr;  // `Label9`
  // The widgets whose click hands off; every other widget of the frame swallows clicks.
  QSet<QObject*> reacting_;
  QPointer<QObject> pressed_;
  bool handedOff_ = false;
};

}  // namespace varnelio::ui
