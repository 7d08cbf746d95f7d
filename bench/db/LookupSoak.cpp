// db_soak FILE N: N lookups alternating a present and an absent date in a
// huangdao table, printing the resident set size after the first lookup and
// at the end. Growth means something leaks per lookup.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "db/MdbDatabase.h"

namespace {
long ResidentKb() {
  std::ifstream f("/proc/self/statm");
  long pages = 0, resident = 0;
  f >> pages >> resident;
  return resident * 4;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: db_soak FILE N\n");
    return 2;
  }
  const std::string conn = std::string("Data Source=") + argv[1];
  const long n = std::atol(argv[2]);
  tongshu::db::MdbDatabase db;
  long found = 0, afterFirst = 0;
  for (long i = 0; i < n; ++i) {
    const int y = 1901 + static_cast<int>(i % 150);
    const std::string sql = i % 2 ? "select * from huangdao where gn = #" + std::to_string(y) + "-2-28#"
                                  : "select nn from huangdao where gn = #2051-1-" + std::to_string(1 + i % 28) + "#";
    if (db.firstRow(conn, sql)) ++found;
    if (i == 0) afterFirst = ResidentKb();
  }
  std::printf("lookups %ld, found %ld, resident after the first %ld kB, at the end %ld kB\n", n, found, afterFirst,
              ResidentKb());
  return 0;
}
