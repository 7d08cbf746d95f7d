// `tongshu-cli jiri` over the whole range 1901-2050 as a whole process (start,
// read KorBirth.dll once, search, print, exit), against the almanac window's
// single-day lookup run through `tongshu-cli almanac` the same way. Each
// iteration is one process; its wall time is the reported time and its CPU
// time (user + system, from wait4) a counter, as a busy machine stretches the
// first and barely the second. Target: the search within 150 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace {

struct Process {
  double wallSeconds = 0;
  double cpuSeconds = 0;
  int status = -1;
};

// Runs the program beside this one with stdout and stderr on /dev/null.
Process RunCli(std::vector<std::string> args) {
  args.insert(args.begin(), (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "tongshu-cli").string());
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  Process p;
  const auto start = std::chrono::steady_clock::now();
  const pid_t pid = fork();
  if (pid < 0) return p;
  if (pid == 0) {
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    execv(argv[0], argv.data());
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return p;
  p.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
  p.cpuSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
  p.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return p;
}

void Measure(benchmark::State& state, const std::vector<std::string>& args) {
  double cpu = 0;
  for (auto _ : state) {
    const Process p = RunCli(args);
    if (p.status != 0) {
      state.SkipWithError("tongshu-cli failed (is it built, with its data files?)");
      return;
    }
    state.SetIterationTime(p.wallSeconds);
    cpu += p.cpuSeconds;
  }
  state.counters["cpu_ms"] = benchmark::Counter(cpu * 1000.0 / static_cast<double>(state.iterations()));
}

void BM_JiriWholeRange(benchmark::State& state) {
  Measure(state, {"jiri", "嫁娶", "--from", "1901-01-01", "--to", "2050-12-31"});
}
BENCHMARK(BM_JiriWholeRange)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)
    ->ReportAggregatesOnly(true);

// The reference: the window's check, statement, lookup and formatting of one day.
void BM_AlmanacSingleDay(benchmark::State& state) { Measure(state, {"almanac", "2011", "3", "5"}); }
BENCHMARK(BM_AlmanacSingleDay)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20)->Repetitions(3)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
