// pinyin and netname: the converter and the net-name reading, fed the GBK
// bytes the net-name window would hand them for the same text.
#include <cstdint>
#include <limits>

#include "Commands.h"
#include "Json.h"
#include "NetName.h"
#include "NumberText.h"
#include "Pinyin.h"
#include "Cp936.h"
#include "Utf8.h"

namespace tongshu::cli {
namespace {

// An integer option of the converter's 32-bit parameters; anything else is
// the conversion error the run-time library reports.
std::int32_t Int32Option(const CommandLine& line, std::string_view option, std::int32_t fallback) {
  const auto text = line.value(option);
  if (!text) return fallback;
  const std::int64_t value = numerology::StrToInt64(*text);
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    throw numerology::ConvertError(*text);
  return static_cast<std::int32_t>(value);
}

std::string GbkOf(std::string_view utf8) {
  if (!IsValidUtf8(utf8)) throw InputError("输入的文字不是有效的 UTF-8 编码!");
  return cp936::FromUtf8(utf8);
}

// The name line's trimming: every leading and trailing character of code 32
// or below.
std::string_view TrimLow(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 32) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 32) text.remove_suffix(1);
  return text;
}

// The letter walk of the net-name reading: flags 2 and at most 255 letters,
// as NetNamePersonality converts, then every digit as its letter.
constexpr int kNetNameMaxLetters = 255;

}  // namespace

int PinyinCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("pinyin", line, 1);
  const netname::PinyinFlags flags = Int32Option(line, "flags", 0);
  const int maxLength = Int32Option(line, "max", std::numeric_limits<std::int32_t>::max());
  const std::string& text = line.positional.front();
  // The converter keeps single bytes as they are (flag 4): back to UTF-8, so
  // the euro sign prints as itself.
  const std::string pinyin = cp936::ToUtf8(netname::ConvertToPinyin(GbkOf(text), flags, maxLength));
  if (line.json) {
    ctx.out << JsonObject().addString("text", text).addString("pinyin", pinyin).str() << '\n';
  } else {
    ctx.out << pinyin << '\n';
  }
  return kExitOk;
}

int NetNameCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("netname", line, 1);
  if (!IsValidUtf8(line.positional.front())) throw InputError("输入的文字不是有效的 UTF-8 编码!");
  const std::string name(TrimLow(line.positional.front()));
  if (name.empty()) throw InputError("请输入你的网名！");
  const std::string gbk = GbkOf(name);
  std::string letters, trait;
  try {
    letters = netname::DigitsToLetters(netname::ConvertToPinyin(gbk, netname::pfMarkUnmapped, kNetNameMaxLetters));
    trait = std::string(TrimLow(netname::NetNamePersonality(gbk)));
  } catch (const std::exception&) {
    // The window shows this in place of the trait when the reading fails.
    throw InputError("请重新输入网名，请不要输入特殊字符！");
  }
  if (line.json) {
    ctx.out << JsonObject().addString("name", name).addString("letters", letters).addString("trait", trait).str()
            << '\n';
  } else {
    WriteFields(ctx.out, {letters, trait});
  }
  return kExitOk;
}

}  // namespace tongshu::cli
