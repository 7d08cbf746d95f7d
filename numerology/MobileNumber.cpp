#include "numerology/MobileNumber.h"

#include <algorithm>
#include <stdexcept>

#include "numerology/NumberText.h"
#include "text/Cp936.h"

namespace tongshu::numerology {

namespace {

constexpr std::size_t kSkippedBytes = 7;
constexpr std::int64_t kModulus = 80;

bool AllDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string ShoujiReducedNumber(std::string_view gbkNumber) {
  const std::string_view tail = gbkNumber.substr(std::min(kSkippedBytes, gbkNumber.size()));
  // StrToInt64 would take a sign; only digits belong to a telephone number.
  if (!AllDigits(tail)) throw ConvertError(cp936::ToUtf8(tail));
  return std::to_string(StrToInt64(tail) % kModulus);
}

std::string ShoujiStatement(std::string_view reduced) {
  if (reduced.empty() || reduced.size() > 2 || !AllDigits(reduced))
    throw std::invalid_argument("not a reduced mobile number: " + std::string(reduced));
  std::string sql = "select title,jx,content from shouji where num = '";
  sql.append(reduced).append("'");
  return sql;
}

}  // namespace tongshu::numerology
