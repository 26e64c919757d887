// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hourglass pointer on one window for as long as a command runs.
#include <QPointer>
#include <QWidget>

namespace varnelio::ui {

class BusyCursor {
 public:
  explicit BusyCursor(QWidget* window) : window_(window) {
    if (window_) window_->setCursor(Qt::WaitCursor);
  }
  ~BusyCursor() { restore(); }
  // Restores the normal pointer before the end of the scope.
  void restore() {
    if (window_) window_->unsetCursor();
    window_ = nullptr;
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  QPointer<QWidget> window_;
};

}  // namespace varnelio::ui
