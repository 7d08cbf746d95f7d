#pragma once
// Runs the built tongshu-cli as a user would: its own process, arguments as
// given, stdout and stderr captured, the exit status or the signal that ended it.
#include <chrono>
#include <string>
#include <vector>

namespace tongshu::testing {

struct CliResult {
  int status = -1;  // exit status; -1 when a signal ended the process
  int signal = 0;
  std::string out;
  std::string err;
  bool exited() const { return signal == 0 && status >= 0; }
};

// What a run reads besides its arguments.
struct CliInput {
  std::string stdinPath = "/dev/null";
  // The user's data folder (XDG_DATA_HOME), where imported holidays are kept.
  // Empty: a folder of the run's own that does not exist, so that no run sees
  // the holidays its user imported.
  std::string dataHome;
};

// stdoutPath, when given, receives stdout instead of the capture (out stays
// empty).
CliResult RunCli(const std::vector<std::string>& args, const std::string& stdoutPath = {});
CliResult RunCli(const std::vector<std::string>& args, const CliInput& input, const std::string& stdoutPath = {});

// A fresh empty directory under the test temp dir.
std::string MakeTempDir();

// Lines without their newline; a last line without one is kept.
std::vector<std::string> Lines(const std::string& text);
std::vector<std::string> SplitTabs(const std::string& line);

inline std::chrono::sys_days Day(int y, unsigned m, unsigned d) {
  return std::chrono::sys_days{std::chrono::year{y} / std::chrono::month{m} / d};
}

}  // namespace tongshu::testing
