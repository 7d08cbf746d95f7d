#include "numerology/Shuli.h"

#include <cstdint>
#include <stdexcept>

#include "numerology/NumberText.h"

namespace tongshu::numerology {

namespace {
constexpr bool PersonalityReferencesValid() {
  for (const ShuliEntry& e : kShuliTable)
    if (e.personality < 1 || e.personality > static_cast<int>(kPersonalityTexts.size())) return false;
  return true;
}
static_assert(PersonalityReferencesValid());
}  // namespace

std::string EntryText(int index) {
  if (index < 0 || index >= static_cast<int>(kShuliTable.size()))
    throw std::out_of_range("eighty-one number table index out of range");
  const ShuliEntry& e = kShuliTable[static_cast<std::size_t>(index)];
  const std::string_view personality = kPersonalityTexts[static_cast<std::size_t>(e.personality - 1)];
  std::string text;
  text.reserve(e.fortune.size() + e.verdict.size() + personality.size() + 2);
  text.append(e.fortune).append(1, kFieldSeparator);
  text.append(e.verdict).append(1, kFieldSeparator);
  text.append(personality);
  return text;
}

std::string shuliinfostr(std::string_view number) {
  const std::int64_t remainder = StrToInt64(number) % 81;
  if (remainder < 0) return std::string(kNotAnalysableMessage);
  return EntryText(static_cast<int>(remainder));
}

ShuliFields SplitEntryText(std::string_view text) {
  ShuliFields fields;
  const auto first = text.find(kFieldSeparator);
  if (first == std::string_view::npos) {
    fields.personality = text;
    return fields;
  }
  fields.fortune = text.substr(0, first);
  const std::string_view rest = text.substr(first + 1);
  const auto second = rest.find(kFieldSeparator);
  if (second == std::string_view::npos) {
    fields.personality = rest;
    return fields;
  }
  fields.verdict = rest.substr(0, second);
  fields.personality = rest.substr(second + 1);
  return fields;
}

}  // namespace tongshu::numerology
