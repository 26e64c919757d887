// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/cli_output.h"

#include <cerrno>

#include "core/text/cp1252.h"

namespace varnelio::cli {

namespace {
constexpr std::size_t kStdoutBuffer = 1 << 16;
}

void printError(std::string_view line) {
  std::fputs("varnelio-cli: ", stderr);
  std::fwrite(line.data(), 1, line.size(), stderr);
  std::fputc('\n', stderr);
}

int usageError(std::string_view what) {
  std::string line(what);
  line += " (voir varnelio-cli --help)";
  printError(line);
  return kUsage;
}

int readFailure(const FileError& error) {
  printError("impossible de lire le fichier " + error.path + " : " + error.reason);
  return kFileFailure;
}

int latinDataFailure(const LatinDataProblem& problem) {
  printError(problem.message() + " (" + problem.error.path + ")");
  return kFileFailure;
}

int writeFailure(const FileError& error) {
  printError("impossible d'\xC3\xA9" "crire le fichier " + error.path + " : " + error.reason);
  return kFileFailure;
}

StdoutUtf8Writer::StdoutUtf8Writer() { buffer_.reserve(kStdoutBuffer + 1024); }

StdoutUtf8Writer::~StdoutUtf8Writer() { flush(); }

bool StdoutUtf8Writer::write(std::string_view bytes) {
  if (error_) return false;
  cp1252::appendUtf8(buffer_, bytes);
  return buffer_.size() < kStdoutBuffer || flush();
}

bool StdoutUtf8Writer::writeUtf8(std::string_view text) {
  if (error_) return false;
  buffer_.append(text);
  return buffer_.size() < kStdoutBuffer || flush();
}

bool StdoutUtf8Writer::flush() {
  if (error_) return false;
  if (!buffer_.empty()) {
    if (std::fwrite(buffer_.data(), 1, buffer_.size(), stdout) != buffer_.size()) error_ = errno ? errno : EIO;
    buffer_.clear();
  }
  if (!error_ && std::fflush(stdout) != 0) error_ = errno ? errno : EIO;
  return error_ == 0;
}

int finishStdout(StdoutUtf8Writer& out) {
  if (out.flush()) return kOk;
  // The reader closed the pipe (`| head`): it has what it wanted, nothing to say.
  if (out.error() == EPIPE) return kOk;
  printError("impossible d'\xC3\xA9" "crire sur la sortie standard : " + describeErrno(out.error()));
  return kFileFailure;
}

}  // namespace varnelio::cli
