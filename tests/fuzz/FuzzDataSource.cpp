// The connection-string-to-path step on any text, and on the builders' own
// strings around any directory: it returns a non-empty path or refuses with
// DbError, and a built string always leads back to its directory's file.
#include <string>

#include "db/DataSource.h"
#include "db/Database.h"
#include "services/ConnStr.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace tongshu;

namespace {

std::string WithoutSeparators(std::string_view s) {
  std::string out;
  for (const char c : s)
    if (c != '/' && c != '\\') out += c;
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = tongshu::fuzz::AsText(data, size);
  try {
    const std::string path = db::DataSourcePathOf(text);
    FUZZ_CHECK(!path.empty());
    if (tongshu::fuzz::IsUtf8(path)) {
      FUZZ_CHECK(path.find('\\') == std::string::npos);
      FUZZ_CHECK(path.find("//") == std::string::npos);
    }
  } catch (const db::DbError&) {
  }

  // The text as the executable's directory. A ';' ends the value and a
  // leading quote or blank changes its reading, which no directory the
  // program runs from can make the builders produce; they are replaced.
  std::string dir(text);
  for (char& c : dir)
    if (c == ';' || c == '\0') c = '_';
  if (!dir.empty() && (dir.front() == '"' || dir.front() == '\'' || dir.front() == ' ' || dir.front() == '\t' ||
                       dir.front() == '\r' || dir.front() == '\n'))
    dir.front() = '_';
  dir += '/';
  for (const std::string_view tail : {kDreamTail, kFileTail, kBirthTail}) {
    const std::string conn = BuildConnStr(dir, tail);
    FUZZ_CHECK(conn.rfind(kConnPrefix, 0) == 0);
    const std::string path = db::DataSourcePathOf(conn);
    const std::string_view file = tail.substr(1, tail.find(';') - 1);
    FUZZ_CHECK(WithoutSeparators(path) == WithoutSeparators(dir) + std::string(file));
    FUZZ_CHECK(path.size() > file.size() && path.compare(path.size() - file.size(), file.size(), file) == 0);
  }
  return 0;
}
