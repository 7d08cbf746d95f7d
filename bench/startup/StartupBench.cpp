// Whole-process start-up: from spawning the program to its first painted main
// window (offscreen), and the resident memory at that moment, against a bare
// Qt window. Also a whole
// process run of the command-line companion over the full calendar range.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::filesystem::path BinDir() { return std::filesystem::read_symlink("/proc/self/exe").parent_path(); }

struct Run {
  double seconds = 0;
  long rssKiB = -1;
  bool ok = false;
};

// Spawns argv with stdout on a pipe; returns the time until `until` is seen
// on the child's stdout (or until it exits when `until` is empty).
Run Spawn(const std::vector<std::string>& args, const std::string& until) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
  posix_spawn_file_actions_addclose(&actions, fds[0]);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  Run run;
  if (rc != 0) {
    close(fds[0]);
    return run;
  }
  std::string seen;
  char buf[65536];
  bool found = until.empty();
  while (true) {
    const ssize_t n = read(fds[0], buf, sizeof buf);
    if (n <= 0) break;
    if (!found) {
      seen.append(buf, static_cast<std::size_t>(n));
      if (const auto at = seen.find(until); at != std::string::npos) {
        found = true;
        run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        if (const auto r = seen.find("rss_kib=", at); r != std::string::npos)
          run.rssKiB = std::strtol(seen.c_str() + r + 8, nullptr, 10);
      }
    }
  }
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (until.empty()) {
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.rssKiB = usage.ru_maxrss;
  }
  run.ok = found && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The application against a bare Qt window with one Chinese label (same
// platform plugin, same fonts), spawned in turn so that both see the same
// load: medians of first paint and resident memory, and their ratios. Goals:
// time at most 1.3 times the reference's, memory at most 1.2 times.
void BM_StartupToFirstPaint(benchmark::State& state) {
  const std::string probe = (BinDir() / "tongshu_startup_probe").string();
  const std::string reference = (BinDir() / "tongshu_reference_probe").string();
  // The locale step writes its stand-in file; keep it out of the user's home.
  const auto config = std::filesystem::temp_directory_path() / "tongshu-bench-config";
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  std::vector<double> appMs, refMs, appMB, refMB;
  for (auto _ : state) {
    const Run app = Spawn({probe}, "painted");
    const Run ref = Spawn({reference}, "painted");
    if (!app.ok || !ref.ok) {
      state.SkipWithError(app.ok ? "the reference did not report its first paint"
                                 : "the probe did not report its first paint");
      return;
    }
    appMs.push_back(app.seconds * 1e3);
    refMs.push_back(ref.seconds * 1e3);
    appMB.push_back(static_cast<double>(app.rssKiB) / 1024.0);
    refMB.push_back(static_cast<double>(ref.rssKiB) / 1024.0);
    state.SetIterationTime(app.seconds);
  }
  const double timeRatio = Median(appMs) / Median(refMs);
  const double rssRatio = Median(appMB) / Median(refMB);
  state.counters["app_ms"] = Median(appMs);
  state.counters["reference_ms"] = Median(refMs);
  state.counters["time_ratio"] = timeRatio;
  state.counters["app_rss_MB"] = Median(appMB);
  state.counters["reference_rss_MB"] = Median(refMB);
  state.counters["rss_ratio"] = rssRatio;
  state.SetLabel(timeRatio <= 1.3 && rssRatio <= 1.2 ? "within the goals (1.3, 1.2)" : "OUTSIDE the goals (1.3, 1.2)");
}
BENCHMARK(BM_StartupToFirstPaint)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_CliLunarWholeRange(benchmark::State& state) {
  const std::string cli = (BinDir() / "tongshu-cli").string();
  if (!std::filesystem::exists(cli)) {
    state.SkipWithError("tongshu-cli is not built");
    return;
  }
  long maxRss = 0;
  for (auto _ : state) {
    const Run r = Spawn({cli, "lunar", "--from", "1901-01-01", "--to", "2050-12-31"}, "");
    if (!r.ok) {
      state.SkipWithError("tongshu-cli lunar failed");
      return;
    }
    maxRss = std::max(maxRss, r.rssKiB);
    state.SetIterationTime(r.seconds);
  }
  state.counters["rss_MB"] = static_cast<double>(maxRss) / 1024.0;
}
BENCHMARK(BM_CliLunarWholeRange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

BENCHMARK_MAIN();
