// number: the eighty-one number lookup the QQ-number and any-number windows run.
#include "cli/Commands.h"
#include "cli/Json.h"
#include "numerology/NumberText.h"
#include "numerology/Shuli.h"

namespace tongshu::cli {

int NumberCommand(const CommandLine& line, Context& ctx) {
  RequirePositional("number", line, 1);
  const std::string number(numerology::TrimLow(line.positional.front()));
  if (number.empty()) throw InputError("请输入你的号码！");
  const numerology::ShuliFields fields = numerology::SplitEntryText(numerology::shuliinfostr(number));
  if (line.json) {
    ctx.out << JsonObject()
                   .addString("number", number)
                   .addString("fortune", fields.fortune)
                   .addString("verdict", fields.verdict)
                   .addString("personality", fields.personality)
                   .str()
            << '\n';
  } else {
    WriteFields(ctx.out, {fields.fortune, fields.verdict, fields.personality});
  }
  return kExitOk;
}

}  // namespace tongshu::cli
