#include "numerology/NumberText.h"

#include <limits>

namespace tongshu::numerology {

ConvertError::ConvertError(std::string_view text)
    : std::runtime_error("'" + std::string(text) + "' is not a valid integer value") {}

std::int64_t StrToInt64(std::string_view text) {
  std::string_view digits = text;
  bool negative = false;
  if (!digits.empty() && (digits.front() == '-' || digits.front() == '+')) {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) throw ConvertError(text);

  // The magnitude is gathered unsigned so that INT64_MIN, whose magnitude is
  // one more than INT64_MAX, converts without overflow.
  constexpr std::uint64_t kMaxPositive = std::numeric_limits<std::int64_t>::max();
  const std::uint64_t limit = negative ? kMaxPositive + 1 : kMaxPositive;
  std::uint64_t magnitude = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') throw ConvertError(text);
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (magnitude > (limit - digit) / 10) throw ConvertError(text);
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return static_cast<std::int64_t>(magnitude);
  if (magnitude == kMaxPositive + 1) return std::numeric_limits<std::int64_t>::min();
  return -static_cast<std::int64_t>(magnitude);
}

}  // namespace tongshu::numerology
