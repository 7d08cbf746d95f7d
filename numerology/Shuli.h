#pragma once
// Lookup of a number in the eighty-one number table.
#include <string>
#include <string_view>

#include "numerology/ShuliTable.h"

namespace tongshu::numerology {

// Returned instead of an entry text for a negative remainder. Its comma is the
// ASCII one, and it holds no field separator.
inline constexpr std::string_view kNotAnalysableMessage = "对不起,此号不在分解之类。";

inline constexpr char kFieldSeparator = '|';

// The entry in the form it leaves the table: fortune text, "|", verdict, "|",
// personality text. index must lie in 0..80.
std::string EntryText(int index);

// number: decimal digits with an optional sign, as StrToInt64 reads them
// (throws ConvertError otherwise). The remainder modulo 81 truncates toward
// zero, so it carries the number's sign: 0..80 selects that entry, -80..-1
// gives kNotAnalysableMessage.
std::string shuliinfostr(std::string_view number);

struct ShuliFields {
  std::string fortune;      // before the first "|"
  std::string verdict;      // between the first and the second "|"
  std::string personality;  // after the second "|"
};

// Splits a shuliinfostr result. Nothing is trimmed. Without a "|" the whole
// text is the third field (that is how the message is shown); with one "|"
// the second field is empty; a third "|" stays in the third field.
ShuliFields SplitEntryText(std::string_view text);

}  // namespace tongshu::numerology
