// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the command-line tool writes: UTF-8 text on stdout and stderr, one-line
// French messages, and the exit codes of every command.
#include <cstdio>
#include <string>
#include <string_view>

#include "core/files/atomic_file.h"
#include "core/files/file_error.h"
#include "core/morphology/latin_data.h"

namespace varnelio::cli {

enum ExitCode { kOk = 0, kFileFailure = 1, kUsage = 2 };

// A usage error: "varnelio-cli: <what>" and a hint at --help, on stderr. Returns kUsage.
int usageError(std::string_view what);
// A file that cannot be read or written: the file and the reason, on stderr. Returns kFileFailure.
int readFailure(const FileError& error);
// Says why the analyser or the tagger cannot serve, with the file's path.
int latinDataFailure(const LatinDataProblem& problem);
int writeFailure(const FileError& error);
// Any other one-line message on stderr (UTF-8 given).
void printError(std::string_view utf8Line);

// Writes Windows-1252 bytes to stdout as UTF-8, buffered; "\r\n" pieces passed in
// are written as given, so callers produce the line ends they want.
class StdoutUtf8Writer final : public ChunkWriter {
 public:
  StdoutUtf8Writer();
  ~StdoutUtf8Writer() override;
  bool write(std::string_view cp1252Bytes) override;
  // Text already in UTF-8 (messages, paths), written as it is.
  bool writeUtf8(std::string_view utf8Text);
  bool flush();
  int error() const { return error_; }

 private:
  std::string buffer_;
  int error_ = 0;
};

// Ends a run that wrote to stdout: reports a failed standard output.
int finishStdout(StdoutUtf8Writer& out);

}  // namespace varnelio::cli
