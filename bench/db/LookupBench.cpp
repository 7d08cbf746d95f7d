// One lookup in KorBirth.dll (54,787 rows): a date absent from the table (a
// full pass, the worst case) and random present dates, through
//   - MdbDatabase (the program's reader; the file stays open and checked),
//   - MdbDatabase opened afresh for every lookup (read, check, scan),
//   - mdbtools' SQL engine in-process (exact day-serial literal, as it has no
//     #date#), and
//   - the mdb-sql command, one process per lookup.
#include <benchmark/benchmark.h>
#include <glib.h>
#include <mdbsql.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "db/MdbDatabase.h"
#include "db/SelectStatement.h"

namespace {

using tongshu::db::MdbDatabase;

const std::string kFile = std::string(TONGSHU_DATA_DIR) + "/KorBirth.dll";
const std::string kConn = "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + kFile + ";Persist Security Info=True";

struct Day {
  int y, m, d;
  std::int64_t serial;
};

// Random days of 1901-01-01 .. 2050-12-31, the same every run.
const std::vector<Day>& RandomDays() {
  static const std::vector<Day> days = [] {
    std::mt19937 rng(54787);
    std::vector<Day> out;
    while (out.size() < 4096) {
      const int y = 1901 + static_cast<int>(rng() % 150), m = 1 + static_cast<int>(rng() % 12),
                d = 1 + static_cast<int>(rng() % 31);
      if (const auto s = tongshu::db::DaySerialOf(y, m, d)) out.push_back({y, m, d, *s});
    }
    return out;
  }();
  return days;
}

std::string AlmanacSql(int y, int m, int d) {
  return "Select top 1 * from huangdao where gn = #" + std::to_string(y) + "-" + std::to_string(m) + "-" +
         std::to_string(d) + "#";
}
std::string EngineSql(std::int64_t serial) {
  return "select top 1 * from huangdao where gn = " + std::to_string(serial) + ".0";
}

void BM_Reader_AbsentDate(benchmark::State& state) {
  MdbDatabase db;
  const std::string sql = AlmanacSql(2051, 1, 1);
  for (auto _ : state) {
    auto row = db.firstRow(kConn, sql);
    if (row) state.SkipWithError("2051-01-01 found");
    benchmark::DoNotOptimize(row);
  }
}

void BM_Reader_PresentRandomDate(benchmark::State& state) {
  MdbDatabase db;
  const auto& days = RandomDays();
  std::size_t i = 0;
  for (auto _ : state) {
    const Day& day = days[i++ % days.size()];
    auto row = db.firstRow(kConn, AlmanacSql(day.y, day.m, day.d));
    if (!row) state.SkipWithError("present date not found");
    benchmark::DoNotOptimize(row);
  }
}

void BM_ReaderColdOpen_AbsentDate(benchmark::State& state) {
  const std::string sql = AlmanacSql(2051, 1, 1);
  for (auto _ : state) {
    MdbDatabase db;
    benchmark::DoNotOptimize(db.firstRow(kConn, sql));
  }
}

// mdbtools' own SQL engine on one handle, as a program using it would.
class Engine {
 public:
  Engine() : sql_(mdb_sql_init()) {
    if (!mdb_sql_open(sql_, const_cast<char*>(kFile.c_str()))) std::fprintf(stderr, "mdb_sql_open failed\n");
  }
  ~Engine() {
    mdb_sql_close(sql_);
    mdb_sql_exit(sql_);
  }
  int rows(const std::string& query) {
    int n = 0;
    if (mdb_sql_run_query(sql_, query.c_str()) && sql_->cur_table)
      while (mdb_sql_fetch_row(sql_, sql_->cur_table)) ++n;
    mdb_sql_reset(sql_);
    return n;
  }

 private:
  MdbSQL* sql_;
};

void BM_SqlEngine_AbsentDate(benchmark::State& state) {
  Engine engine;
  const auto serial = *tongshu::db::DaySerialOf(2051, 1, 1);
  for (auto _ : state)
    if (engine.rows(EngineSql(serial)) != 0) state.SkipWithError("2051-01-01 found");
}

void BM_SqlEngine_PresentRandomDate(benchmark::State& state) {
  Engine engine;
  const auto& days = RandomDays();
  std::size_t i = 0;
  for (auto _ : state)
    if (engine.rows(EngineSql(days[i++ % days.size()].serial)) != 1) state.SkipWithError("present date not found");
}

void RunCommand(std::int64_t serial) {
  const std::string cmd = "mdb-sql -HFP '" + kFile + "' > /dev/null";
  FILE* p = ::popen(cmd.c_str(), "w");
  if (!p) return;
  std::fputs((EngineSql(serial) + ";\n").c_str(), p);
  ::pclose(p);
}

void BM_MdbSqlCommand_AbsentDate(benchmark::State& state) {
  const auto serial = *tongshu::db::DaySerialOf(2051, 1, 1);
  for (auto _ : state) RunCommand(serial);
}

void BM_MdbSqlCommand_PresentRandomDate(benchmark::State& state) {
  const auto& days = RandomDays();
  std::size_t i = 0;
  for (auto _ : state) RunCommand(days[i++ % days.size()].serial);
}

BENCHMARK(BM_Reader_AbsentDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Reader_PresentRandomDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReaderColdOpen_AbsentDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqlEngine_AbsentDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SqlEngine_PresentRandomDate)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MdbSqlCommand_AbsentDate)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_MdbSqlCommand_PresentRandomDate)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
