// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs a program with arguments and collects its exit code, stdout and stderr.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "temp_dir.h"

extern char** environ;

namespace varnelio::testing {

struct CliRun {
  int exitCode = -1;  // 128 + signal when the program was killed
  std::string out;
  std::string err;
};

// stdoutPath, when given, receives the standard output (left out of the result).
inline CliRun runProgram(const std::string& program, const std::vector<std::string>& args,
                         const std::string& stdoutPath = {}) {
  TempDir io;
  const std::string outPath = stdoutPath.empty() ? io.file("out") : stdoutPath, errPath = io.file("err");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = 0;
  CliRun r;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ) == 0) {
    int status = 0;
    waitpid(pid, &status, 0);
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  }
  posix_spawn_file_actions_destroy(&actions);
  if (stdoutPath.empty()) r.out = readBytes(outPath);
  r.err = readBytes(errPath);
  return r;
}

}  // namespace varnelio::testing
