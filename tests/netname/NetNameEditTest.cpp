#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "netname/NetName.h"
#include "text/Cp936.h"

using namespace tongshu::netname;

namespace {

// 가 is a BMP character code page 936 cannot encode; 😀 lies outside the BMP.
constexpr char32_t kHangul = U'\uAC00';
constexpr char32_t kEmoji = U'\U0001F600';

std::u32string Times(std::size_t n, char32_t c) { return std::u32string(n, c); }

TEST(LimitNetNameEdit, KeepsTheBoxWithinEighteenGbkBytes) {
  struct Case {
    const char* what;
    std::u32string shown, edited;
    std::size_t cursor;
    std::optional<NetNameEdit> expected;  // nothing: the edit is refused
  };
  const Case cases[] = {
      {"ASCII insertion that fits", U"AB", U"AxB", 2, NetNameEdit{U"AXB", 2}},
      {"only ASCII letters are upper-cased", U"", U"aｑéz", 4, NetNameEdit{U"AｑéZ", 4}},
      {"any edit within the limit stands", U"ABC", U"x", 0, NetNameEdit{U"X", 0}},
      {"a paste is cut to whole characters", U"A", U"A一二三四五六七八九", 10, NetNameEdit{U"A一二三四五六七八", 9}},
      {"a paste before the rest of the text", U"AB", U"A一二三四五六七八九B", 10,
       NetNameEdit{U"A一二三四五六七八B", 9}},
      {"a paste like the text after the cursor", Times(17, U'A'), Times(19, U'A'), 2,
       NetNameEdit{Times(18, U'A'), 1}},
      {"a double-byte character no longer fits at 17 bytes", Times(17, U'A'), Times(17, U'A') + U'中', 18,
       NetNameEdit{Times(17, U'A'), 17}},
      {"a letter still fits at 17 bytes", Times(17, U'A'), Times(17, U'A') + U'b', 18,
       NetNameEdit{Times(17, U'A') + U'B', 18}},
      // Counted as the "?"s they become: one for a BMP character, two beyond.
      {"an unencodable character fills the last byte", Times(17, U'A'), Times(17, U'A') + kHangul, 18,
       NetNameEdit{Times(17, U'A') + kHangul, 18}},
      {"no room for an unencodable character", Times(18, U'A'), Times(18, U'A') + kHangul, 19,
       NetNameEdit{Times(18, U'A'), 18}},
      {"characters outside the BMP", U"", Times(10, kEmoji), 10, NetNameEdit{Times(9, kEmoji), 9}},
      {"no room for half of one", Times(17, U'A'), Times(17, U'A') + kEmoji, 18, NetNameEdit{Times(17, U'A'), 17}},
      {"a paste after characters outside the BMP", Times(4, kEmoji) + U"AB", Times(4, kEmoji) + U"一二三四五六七AB",
       11, NetNameEdit{Times(4, kEmoji) + U"一二三四AB", 8}},
      {"a replacement past the limit", Times(18, U'A'), U"X" + Times(18, U'B'), 1, std::nullopt},
      {"a cursor beyond the text", U"", Times(19, U'A'), 20, std::nullopt},
      {"a box already past the limit takes nothing more", Times(19, U'A'), Times(20, U'A'), 20, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::optional<NetNameEdit> result = LimitNetNameEdit(c.shown, c.edited, c.cursor);
    ASSERT_EQ(result.has_value(), c.expected.has_value());
    if (!result) continue;
    EXPECT_EQ(result->text, c.expected->text);
    EXPECT_EQ(result->cursor, c.expected->cursor);
    EXPECT_LE(tongshu::cp936::GbkLength(result->text), static_cast<std::size_t>(kNetNameMaxBytes));
  }
}

}  // namespace
