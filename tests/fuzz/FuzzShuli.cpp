// The eighty-one number lookup on any text: it converts exactly the decimal
// integers of the signed 64-bit range and picks the entry of the truncated
// remainder; every other text fails with the conversion error naming it.
#include <charconv>
#include <optional>
#include <string>

#include "numerology/NumberText.h"
#include "numerology/Shuli.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace tongshu::numerology;

namespace {

// The value of [+|-]digits, by std::from_chars, which knows no "+".
std::optional<std::int64_t> Reference(std::string_view text) {
  bool plus = false;
  if (!text.empty() && text.front() == '+') {
    plus = true;
    text.remove_prefix(1);
  }
  const std::string_view digits = (!plus && !text.empty() && text.front() == '-') ? text.substr(1) : text;
  if (digits.empty()) return std::nullopt;
  for (const char c : digits)
    if (c < '0' || c > '9') return std::nullopt;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text = tongshu::fuzz::AsText(data, size);
  const std::optional<std::int64_t> expected = Reference(text);

  std::optional<std::int64_t> converted;
  try {
    converted = StrToInt64(text);
  } catch (const ConvertError& e) {
    // what() is a C string: a zero byte in the text ends the message there.
    const std::string message = "'" + std::string(text) + "' is not a valid integer value";
    FUZZ_CHECK(std::string(e.what()) == message.substr(0, message.find('\0')));
  }
  FUZZ_CHECK(converted == expected);

  std::optional<std::string> entry;
  try {
    entry = shuliinfostr(text);
  } catch (const ConvertError&) {
  }
  FUZZ_CHECK(entry.has_value() == expected.has_value());
  if (!entry) return 0;
  const std::int64_t r = *expected % 81;
  if (r >= 0) {
    FUZZ_CHECK(*entry == EntryText(static_cast<int>(r)));
    const ShuliFields f = SplitEntryText(*entry);
    FUZZ_CHECK(f.fortune + "|" + f.verdict + "|" + f.personality == *entry);
    FUZZ_CHECK(!f.fortune.empty() && !f.verdict.empty() && !f.personality.empty());
  } else {
    FUZZ_CHECK(*entry == kNotAnalysableMessage);
  }
  return 0;
}
