// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/analysis/recovery_writer.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>

#include "core/files/atomic_file.h"
#include "ui/shell/codec.h"

namespace varnelio::ui {
namespace {

// A copy is made this long after the first change not yet copied, and holds every
// change made meanwhile: a second of work lost at most, one write a second at most.
constexpr int kCopyDelayMs = 1000;

// Unique among the programs running at once (the process) and one after another
// (the time), and among the windows of one program (the counter).
QString newId() {
  static int counter = 0;
  return QStringLiteral("%1-%2-%3")
      .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd-hhmmss-zzz")))
      .arg(QCoreApplication::applicationPid())
      .arg(++counter);
}

}  // namespace

RecoveryWriter::Files RecoveryWriter::filesOf(const QString& folder, const QString& id) {
  const QString base = QDir(folder).filePath(id);
  return {base + QLatin1String(kCopySuffix), base + QStringLiteral(".source"), base + QStringLiteral(".lock")};
}

RecoveryWriter::RecoveryWriter(QString folder, QObject* parent)
    : RecoveryWriter(std::move(folder), QString(), nullptr, parent) {}

RecoveryWriter::RecoveryWriter(QString folder, QString id, std::unique_ptr<QLockFile> lock, QObject* parent)
    : QObject(parent), folder_(std::move(folder)), id_(std::move(id)), lock_(std::move(lock)) {
  disk_.setMaxThreadCount(1);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &RecoveryWriter::writeNow);
  // A copy taken over from a recovery is on the disk already, its source with it.
  written_ = sourceWritten_ = lock_ != nullptr;
}

RecoveryWriter::~RecoveryWriter() {
  timer_.stop();
  disk_.waitForDone();
}

bool RecoveryWriter::lock() {
  if (lock_) return true;
  if (folder_.isEmpty() || !QDir().mkpath(folder_)) return false;
  id_ = newId();
  auto lock = std::make_unique<QLockFile>(filesOf(folder_, id_).lock);
  lock->setStaleLockTime(0);  // held for the window's life, however long
  if (!lock->tryLock(0)) return false;
  lock_ = std::move(lock);
  return true;
}

void RecoveryWriter::changed() {
  // Later changes wait for the copy already due: it will hold them too.
  if (folder_.isEmpty() || timer_.isActive()) return;
  timer_.start(kCopyDelayMs);
}

void RecoveryWriter::writeNow() {
  timer_.stop();
  if (!encode_ || !lock()) return;
  const Files files = filesOf(folder_, id_);
  auto bytes = std::make_shared<std::string>(encode_());
  if (!sourceWritten_) {
    sourceWritten_ = true;
    disk_.start([source = source_, path = toLocalPath(files.source)] {
      writeFileAtomically(path, [&](ChunkWriter& out) { return out.write(source.text()); });
    });
  }
  // A failed copy is not reported: it only protects against a crash, and the next
  // change tries again; the user's own saves say when they fail.
  disk_.start([bytes, path = toLocalPath(files.copy)] {
    writeFileAtomically(path, [&](ChunkWriter& out) { return out.write(*bytes); });
  });
  written_ = true;
}

void RecoveryWriter::flush() {
  if (timer_.isActive()) writeNow();
  disk_.waitForDone();
}

void RecoveryWriter::discard() {
  timer_.stop();
  disk_.waitForDone();
  if (!lock_) return;
  const Files files = filesOf(folder_, id_);
  QFile::remove(files.copy);
  QFile::remove(files.source);
  lock_->unlock();
  lock_.reset();
  written_ = sourceWritten_ = false;
}

}  // namespace varnelio::ui
