#include "tests/cli/CliRun.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string_view>

#include <gtest/gtest.h>

#include "text/AsciiText.h"

extern char** environ;

namespace tongshu::testing {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string UniqueName(const char* stem) {
  static std::atomic<int> counter{0};
  return std::string(stem) + "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

std::string MakeTempDir() {
  const std::filesystem::path dir = std::filesystem::path(::testing::TempDir()) / UniqueName("tongshu-cli");
  std::filesystem::create_directories(dir);
  return dir.string() + "/";
}

CliResult RunCli(const std::vector<std::string>& args, const std::string& stdoutPath) {
  return RunCli(args, CliInput{}, stdoutPath);
}

CliResult RunCli(const std::vector<std::string>& args, const CliInput& input, const std::string& stdoutPath) {
  const std::string dir = MakeTempDir();
  const std::string outPath = stdoutPath.empty() ? dir + "stdout" : stdoutPath;
  const std::string errPath = dir + "stderr";

  std::vector<std::string> argvStore{TONGSHU_CLI_PATH};
  argvStore.insert(argvStore.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (std::string& a : argvStore) argv.push_back(a.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input.stdinPath.c_str(), O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  std::vector<std::string> envStore;
  for (char** e = environ; *e; ++e)
    if (std::string_view(*e).rfind("XDG_DATA_HOME=", 0) != 0) envStore.emplace_back(*e);
  envStore.push_back("XDG_DATA_HOME=" + (input.dataHome.empty() ? dir + "no-data-home" : input.dataHome));
  std::vector<char*> envp;
  for (std::string& e : envStore) envp.push_back(e.data());
  envp.push_back(nullptr);

  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) throw std::runtime_error("cannot start tongshu-cli: " + ErrorText(rc));

  int wstatus = 0;
  while (::waitpid(pid, &wstatus, 0) < 0) {
    if (errno != EINTR) throw std::runtime_error("waitpid failed");
  }
  CliResult result;
  if (WIFEXITED(wstatus)) result.status = WEXITSTATUS(wstatus);
  if (WIFSIGNALED(wstatus)) result.signal = WTERMSIG(wstatus);
  if (stdoutPath.empty()) result.out = ReadFile(outPath);
  result.err = ReadFile(errPath);
  std::filesystem::remove_all(dir);
  return result;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t nl = text.find('\n', start);
    if (nl == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    fields.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

}  // namespace tongshu::testing
