// LunarDateOf over every day of 1901-2050, the month builder over every
// month, and ICU's Chinese calendar over the same days for comparison.
// Prints the ICU / LunarDateOf time ratio after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <unistd.h>

#include "calendar/LunarCalendar.h"
#include "calendar/MonthBuilder.h"

#ifdef TONGSHU_BENCH_WITH_ICU
#include <unicode/calendar.h>
#include <unicode/locid.h>
#include <unicode/timezone.h>
#endif

namespace {

using namespace std::chrono;
using tongshu::calendar::Date;

const std::vector<Date>& RangeDays() {
  static const std::vector<Date> days = [] {
    std::vector<Date> v;
    for (sys_days d = sys_days{year{1901} / 1 / 1}; d <= sys_days{year{2050} / 12 / 31}; d += std::chrono::days{1})
      v.emplace_back(d);
    return v;
  }();
  return days;
}

void PerItem(benchmark::State& state, std::size_t items) {
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * items));
  state.counters["per_call"] = benchmark::Counter(static_cast<double>(items),
                                                  benchmark::Counter::kIsIterationInvariantRate |
                                                      benchmark::Counter::kInvert);
}

void BM_LunarDateOf(benchmark::State& state) {
  const auto& days = RangeDays();
  for (auto _ : state) {
    long sum = 0;
    for (const Date& d : days) sum += tongshu::calendar::LunarDateOf(d);
    benchmark::DoNotOptimize(sum);
  }
  PerItem(state, days.size());
}
BENCHMARK(BM_LunarDateOf)->Unit(benchmark::kMicrosecond);

void BM_BuildMonth(benchmark::State& state) {
  std::vector<Date> months;
  for (int y = 1901; y <= 2050; ++y)
    for (unsigned m = 1; m <= 12; ++m) months.emplace_back(year{y}, month{m}, day{15});
  for (auto _ : state) {
    for (const Date& d : months) {
      auto view = tongshu::calendar::BuildMonth(d);
      benchmark::DoNotOptimize(view);
    }
  }
  PerItem(state, months.size());
}
BENCHMARK(BM_BuildMonth)->Unit(benchmark::kMillisecond);

#ifdef TONGSHU_BENCH_WITH_ICU
std::unique_ptr<icu::Calendar> ChineseCalendar() {
  UErrorCode status = U_ZERO_ERROR;
  std::unique_ptr<icu::Calendar> cal(
      icu::Calendar::createInstance(icu::TimeZone::createTimeZone("GMT"), icu::Locale("zh@calendar=chinese"), status));
  if (U_FAILURE(status) || std::string(cal->getType()) != "chinese") return nullptr;
  return cal;
}

// Noon UTC of the day, so the zone cannot move the date.
double NoonOf(const Date& d) { return (sys_days{d}.time_since_epoch().count() * 24.0 + 12.0) * 3600000.0; }

int IcuCode(icu::Calendar& cal, const Date& d, UErrorCode& status) {
  cal.setTime(NoonOf(d), status);
  const int m = cal.get(UCAL_MONTH, status) + 1;
  const int day = cal.get(UCAL_DATE, status);
  return cal.get(UCAL_IS_LEAP_MONTH, status) ? -(m * 100 + day) : m * 100 + day;
}

void BM_IcuChineseCalendar(benchmark::State& state) {
  auto cal = ChineseCalendar();
  if (!cal) {
    state.SkipWithError("ICU has no Chinese calendar");
    return;
  }
  const auto& days = RangeDays();
  UErrorCode status = U_ZERO_ERROR;
  for (auto _ : state) {
    long sum = 0;
    for (const Date& d : days) sum += IcuCode(*cal, d, status);
    benchmark::DoNotOptimize(sum);
  }
  if (U_FAILURE(status)) state.SkipWithError(u_errorName(status));
  // How many days the two calendars disagree on; not part of the timing.
  int disagree = 0;
  for (const Date& d : days) disagree += IcuCode(*cal, d, status) != tongshu::calendar::LunarDateOf(d);
  state.counters["days_differing"] = disagree;
  PerItem(state, days.size());
}
BENCHMARK(BM_IcuChineseCalendar)->Unit(benchmark::kMillisecond);
#endif

// Keeps each run's CPU time per iteration (steadier than wall time on a
// shared machine) so that main can print the summary and the ratio.
class RecordingReporter : public benchmark::ConsoleReporter {
 public:
  RecordingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}
  std::map<std::string, double> seconds;
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration && run.iterations > 0)
        seconds[run.benchmark_name()] = run.GetAdjustedCPUTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
    ConsoleReporter::ReportRuns(runs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RecordingReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  const std::size_t days = RangeDays().size();
  const auto ours = reporter.seconds.find("BM_LunarDateOf");
  const auto icu = reporter.seconds.find("BM_IcuChineseCalendar");
  if (ours != reporter.seconds.end())
    std::printf("LunarDateOf: %.1f ns a call over %zu days\n", ours->second / days * 1e9, days);
  const auto month = reporter.seconds.find("BM_BuildMonth");
  if (month != reporter.seconds.end())
    std::printf("BuildMonth: %.2f us a month over 1800 months\n", month->second / 1800 * 1e6);
  if (ours != reporter.seconds.end() && icu != reporter.seconds.end())
    std::printf("ICU Chinese calendar / LunarDateOf: %.1f times the time\n", icu->second / ours->second);
  benchmark::Shutdown();
  return 0;
}
