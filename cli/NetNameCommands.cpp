// pinyin and netname: the converter and the net-name reading, fed the GBK
// bytes the net-name window would hand them for the same text.
#include <cstdint>
#include <limits>

#include "cli/Commands.h"
#include "cli/Json.h"
#include "netname/NetName.h"
#include "netname/Pinyin.h"
#include "numerology/NumberText.h"
#include "text/Cp936.h"

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
  RequireUtf8(utf8);
  return cp936::FromUtf8(utf8);
}

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
  RequireUtf8(line.positional.front());
  const std::string name(numerology::TrimLow(line.positional.front()));
  if (name.empty()) throw InputError("请输入你的网名！");
  const std::string gbk = GbkOf(name);
  std::string letters, trait;
  try {
    letters = netname::NetNameLetters(gbk);
    trait = std::string(numerology::TrimLow(netname::NetNamePersonality(gbk)));
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
