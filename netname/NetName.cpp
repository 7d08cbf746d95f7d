#include "netname/NetName.h"

#include <algorithm>
#include <array>
#include <new>

#include "netname/Pinyin.h"
#include "text/AsciiText.h"
#include "text/Cp936.h"

namespace tongshu::netname {
namespace {

constexpr std::array<std::string_view, 26> kTraits = {
    "好奇心强，专一",
    "老实，沉默",
    "可爱，较明显的自恋",
    "温柔，乖巧",
    "会拍马屁，攀关系",
    "有抱负，志气高",
    "大丈夫主义者",
    "自立，自强，可依靠",
    "有点懒惰",
    "煽情高手",
    "古怪，求新",
    "圆滑",
    "反复无常，喜欢模仿神秘人物举动的小孩子性格，但是常常被宠爱",
    "不贪图安逸，能想到别人想不到的东西",
    "勤劳肯干，活跃",
    "认为朋友和恋人是最重要的，是他们的特点",
    "超级赶时髦者，无敌扫旧派",
    "固执，略有才气",
    "心胸宽大，有深藏不露的自恋",
    "热爱青春，喜欢活力",
    "不耻下问",
    "好静，有点表里不一",
    "比较糊涂，容易感情用事",
    "有恒心，害怕做重复的事情，哪怕是别人重复他做过的事",
    "乐天派呀！非同一般的乐天",
    "老实，想问题容易兜圈子",
};

// Flags 2 alone: initials, ASCII letters and digits, "?" for an unmapped
// double-byte character; blanks and punctuation drop out.
constexpr PinyinFlags kNameFlags = pfMarkUnmapped;

}  // namespace

std::string CharOfCode(int c) {
  if (c < 1 || c > 159) return {};
  return std::string(1, static_cast<char>(static_cast<unsigned char>(c)));
}

std::string KeepPlainChars(std::string_view text) {
  std::string out;
  for (const char ch : text) {
    const int c = static_cast<unsigned char>(ch);
    out += (c >= 1 && c <= 9) ? CharOfCode(c + 64) : CharOfCode(c);
  }
  return out;
}

std::string DigitsToLetters(std::string_view text) {
  std::string out(text);
  for (char& ch : out) {
    if (ch >= '1' && ch <= '9') ch = static_cast<char>('A' + (ch - '1'));
    else if (ch == '0') ch = 'J';
  }
  return out;
}

std::string TraitOfLetter(std::string_view key) {
  if (key.size() != 1 || key[0] < 'a' || key[0] > 'z') return {};
  return std::string(kTraits[static_cast<std::size_t>(key[0] - 'a')]);
}

std::string_view NetNameText(std::string_view gbkBoxText) {
  const std::string_view name = TrimLow(gbkBoxText);
  return name.substr(0, name.find('\0'));
}

std::string NetNameLetters(std::string_view gbkName) {
  if (gbkName.empty()) return {};
  // The converter's C entry takes zero-terminated text, so the name ends at
  // its first NUL. No GBK trail byte is zero: the cut never splits a pair.
  const std::string terminated(gbkName);
  const PinyinZBuffer converted(ConvertToPinyinZ(terminated.c_str(), kNameFlags, kNetNameMaxLetters));
  if (!converted) throw std::bad_alloc();
  return DigitsToLetters(converted.get());
}

std::string NetNamePersonality(std::string_view gbkName) {
  const std::string letters = NetNameLetters(gbkName);

  // Each character overwrites the key, so the last one decides.
  std::string key;
  for (const char ch : letters) {
    const std::string plain = KeepPlainChars(std::string_view(&ch, 1));
    key = plain.empty() ? std::string() : plain.substr(0, 1);
  }
  return TraitOfLetter(AsciiLowerCopy(key));
}

std::optional<NetNameEdit> LimitNetNameEdit(std::u32string_view shown, std::u32string_view edited,
                                            std::size_t cursor) {
  NetNameEdit out{std::u32string(edited), cursor};
  for (char32_t& c : out.text)
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
  constexpr auto kLimit = static_cast<std::size_t>(kNetNameMaxBytes);
  if (cp936::GbkLength(out.text) <= kLimit) return out;

  // An insertion leaves the text after the cursor as it was and puts its own
  // text between a kept beginning and the cursor.
  const std::u32string_view text = out.text;
  if (cursor > text.size()) return std::nullopt;
  const std::size_t after = text.size() - cursor;
  if (after > shown.size() || text.substr(cursor) != shown.substr(shown.size() - after)) return std::nullopt;
  const std::size_t keptLimit = std::min(cursor, shown.size() - after);
  std::size_t kept = 0;
  while (kept < keptLimit && text[kept] == shown[kept]) ++kept;
  const std::size_t fixed = cp936::GbkLength(text.substr(0, kept)) + cp936::GbkLength(text.substr(cursor));
  if (fixed > kLimit) return std::nullopt;

  std::size_t room = kLimit - fixed;
  std::size_t end = kept;
  for (; end < cursor; ++end) {
    const std::size_t bytes = cp936::GbkLength(text.substr(end, 1));
    if (bytes > room) break;
    room -= bytes;
  }
  out.text.erase(end, cursor - end);
  out.cursor = end;
  return out;
}

}  // namespace tongshu::netname
