// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Keeps the recovery copy of one analysis window while it has unsaved changes: a
// few files in the recovery folder, named by an id of their own, that a program
// started after a crash offers to reopen. The copy is made at most a second after
// a change and never more than once a second; the bytes are gathered on the
// window's thread (a few bytes per edit) and written to the disk in the background,
// atomically, so that typing never waits for the disk. A lock file tells another
// program running at the same time that the copy is in use.
#include "ui/analysis/layer.h"
#include <QLockFile>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "core/analysis/analysis_session.h"
#include "core/text/sentence_table.h"

namespace varnelio::ui {

class RecoveryWriter final : public QObject, public RecoveryKeeper {
  Q_OBJECT
 public:
  // The files of the copy `id` in the folder.
  struct Files {
    QString copy, source, lock;
  };
  static Files filesOf(const QString& folder, const QString& id);
  static constexpr const char* kCopySuffix = ".copie";

  // A new copy in the folder, or one taken over (its lock already held) from a
  // recovery. An empty folder keeps no copy at all.
  RecoveryWriter(QString folder, QObject* parent = nullptr);
  RecoveryWriter(QString folder, QString id, std::unique_ptr<QLockFile> lock, QObject* parent = nullptr);
  ~RecoveryWriter() override;

  // What a copy holds, asked for when it is made: the encoded copy.
  void setEncoder(std::function<std::string()> encode) { encode_ = std::move(encode); }
  // The source text, copied once beside the copy.
  void setSource(SentenceTable source) { source_ = std::move(source); }

  // The grid changed and differs from the file saved: a copy is due.
  void changed() override;
  // The grid is saved, or the window closes cleanly: no copy remains.
  void discard() override;
  // Makes any copy due now and waits until it is on the disk (tests, benchmarks).
  void flush();

  const QString& id() const { return id_; }
  bool hasCopy() const { return written_; }

 private:
  void writeNow();
  bool lock();

  QString folder_;
  QString id_;
  std::unique_ptr<QLockFile> lock_;
  std::function<std::string()> encode_;
  SentenceTable source_;
  bool sourceWritten_ = false;
  bool written_ = false;
  QTimer timer_;
  QThreadPool disk_;  // one thread: the copies land in the order they were made
};

}  // namespace varnelio::ui
