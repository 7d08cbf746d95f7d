// The almanac's date-text check on any text, and the statement built from it
// as the data layer then reads it: a text the check passes must reach the
// reader as exactly that day, and nothing else may reach it at all.
#include <charconv>
#include <chrono>
#include <string>

#include "almanac/HuangdaoLookup.h"
#include "db/SelectStatement.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace std::chrono;
using namespace tongshu;

namespace {

int FieldValue(std::string_view field) {
  int v = -1;
  const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), v);
  FUZZ_CHECK(ec == std::errc() && end == field.data() + field.size());
  return v;
}

void CheckDateText(std::string_view text) {
  const auto date = almanac::ParseDateText(text);
  const auto sql = almanac::HuangdaoStatement(text);
  FUZZ_CHECK(date.has_value() == sql.has_value());
  if (!date) return;

  FUZZ_CHECK(date->ok());
  FUZZ_CHECK(int(date->year()) >= 100 && int(date->year()) <= 9999);
  // Only digits and the two separators get into the statement.
  int dashes = 0;
  for (const char c : text) {
    FUZZ_CHECK(c == '-' || (c >= '0' && c <= '9'));
    dashes += c == '-';
  }
  FUZZ_CHECK(dashes == 2);
  const std::size_t a = text.find('-'), b = text.find('-', a + 1);
  FUZZ_CHECK(a >= 1 && a <= 4 && b - a - 1 >= 1 && b - a - 1 <= 2 && text.size() - b - 1 >= 1 &&
             text.size() - b - 1 <= 2);
  FUZZ_CHECK(FieldValue(text.substr(0, a)) == int(date->year()));
  FUZZ_CHECK(FieldValue(text.substr(a + 1, b - a - 1)) == int(unsigned(date->month())));
  FUZZ_CHECK(FieldValue(text.substr(b + 1)) == int(unsigned(date->day())));

  FUZZ_CHECK(*sql == "Select top 1 * from huangdao where gn = #" + std::string(text) + "#");
  const db::SelectStatement st = db::ParseSelect(*sql);
  FUZZ_CHECK(st.value.kind == db::Literal::Kind::Date);
  FUZZ_CHECK(st.table == "huangdao" && st.whereColumn == "gn" && st.top == 1 && st.columns.empty());
  const auto serial = (sys_days(*date) - sys_days(year{1899} / December / 30)).count();
  FUZZ_CHECK(st.value.daySerial == serial);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = tongshu::fuzz::AsText(data, size);
  CheckDateText(text);

  // The window's path: three boxes (here the text split at its first two
  // line feeds), each trimmed, joined with "-".
  const std::size_t n1 = text.find('\n');
  if (n1 == std::string_view::npos) return 0;
  const std::size_t n2 = text.find('\n', n1 + 1);
  if (n2 == std::string_view::npos) return 0;
  const std::string_view y = almanac::TrimLow(text.substr(0, n1));
  const std::string_view m = almanac::TrimLow(text.substr(n1 + 1, n2 - n1 - 1));
  const std::string_view d = almanac::TrimLow(text.substr(n2 + 1));
  for (const std::string_view part : {y, m, d})
    if (!part.empty()) FUZZ_CHECK(static_cast<unsigned char>(part.front()) > 32 &&
                                  static_cast<unsigned char>(part.back()) > 32);
  const std::string joined = almanac::JoinDateText(y, m, d);
  FUZZ_CHECK(joined.size() == y.size() + m.size() + d.size() + 2);
  CheckDateText(joined);
  return 0;
}
