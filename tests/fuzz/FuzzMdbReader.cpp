// The Access reader on mutated files: whatever the bytes, every lookup the
// program makes returns a row or nothing, or refuses with DbError; it never
// crashes, hangs or hands back text that is not UTF-8. The bytes live in a
// memory file reached by a /proc/self/fd path, so the reader runs its real
// open-stat-read path without touching the disk.
#include <sys/mman.h>
#include <unistd.h>

#include <string>

#include "db/MdbDatabase.h"
#include "db/SelectStatement.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace tongshu;

namespace {

struct Lookup {
  const char* sql;
  std::size_t columns;  // 0: any number of columns
};

// The almanac's and the mobile window's statements, a text key on the
// almanac's table, and a literal of the wrong type for its column.
constexpr Lookup kLookups[] = {
    {"Select top 1 * from huangdao where gn = #2011-3-5#", 0},
    {"Select top 1 * from huangdao where gn = #2012-2-29#", 0},
    {"select title,jx,content from shouji where num = '21'", 3},
    {"select title,jx,content from shouji where num = '79'", 3},
    {"select nn, yi from huangdao where nn = 'leap'", 2},
    {"select * from shouji where num = 5", 0},
};

int MemoryFile() {
  static const int fd = [] {
    const int f = ::memfd_create("fuzz-mdb", MFD_CLOEXEC);
    if (f < 0) tongshu::fuzz::Fail(__FILE__, __LINE__, "memfd_create");
    return f;
  }();
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = MemoryFile();
  FUZZ_CHECK(::ftruncate(fd, 0) == 0);
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::pwrite(fd, data + done, size - done, static_cast<off_t>(done));
    FUZZ_CHECK(n > 0);
    done += static_cast<std::size_t>(n);
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);

  // A fresh reader per input: its cache keys on size and times, which two
  // inputs of one size written within a clock tick may share.
  db::MdbDatabase reader;
  for (const Lookup& lookup : kLookups) {
    try {
      const auto row = reader.firstRowOf(path, db::ParseSelect(lookup.sql));
      if (!row) continue;
      FUZZ_CHECK(row->names.size() == row->values.size());
      if (lookup.columns) FUZZ_CHECK(row->size() == lookup.columns);
      for (std::size_t i = 0; i < row->size(); ++i) {
        FUZZ_CHECK(tongshu::fuzz::IsUtf8(row->names[i]));
        if (row->values[i]) FUZZ_CHECK(tongshu::fuzz::IsUtf8(*row->values[i]));
      }
    } catch (const db::DbError& e) {
      // The error report shows the message as UTF-8.
      FUZZ_CHECK(tongshu::fuzz::IsUtf8(e.what()));
    }
  }
  return 0;
}
