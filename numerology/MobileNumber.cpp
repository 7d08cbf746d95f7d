#include "MobileNumber.h"

#include <stdexcept>

#include "NumberText.h"

namespace tongshu::numerology {

namespace {

constexpr std::size_t kSkippedCharacters = 7;
constexpr std::int64_t kModulus = 80;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool AllDigits(std::string_view text) {
  for (const char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

std::string ShoujiReducedNumber(std::string_view number) {
  std::size_t at = 0;
  for (std::size_t skipped = 0; skipped < kSkippedCharacters && at < number.size(); ++skipped) {
    ++at;
    while (at < number.size() && IsContinuationByte(number[at])) ++at;
  }
  const std::string_view tail = number.substr(at);
  // StrToInt64 would take a sign; only digits belong to a telephone number.
  if (!AllDigits(tail)) throw ConvertError(tail);
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
