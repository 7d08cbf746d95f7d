#include "cli/Commands.h"

#include "text/Utf8.h"

namespace tongshu::cli {

void RequirePositional(std::string_view command, const CommandLine& line, std::size_t count) {
  if (line.positional.size() == count) return;
  const std::string name(command);
  throw InputError("tongshu-cli " + name + ": expected " + std::to_string(count) + " argument" +
                   (count == 1 ? "" : "s") + ", got " + std::to_string(line.positional.size()) +
                   " (see tongshu-cli " + name + " --help)");
}

void RequireUtf8(std::string_view text) {
  if (!IsValidUtf8(text)) throw InputError("输入的文字不是有效的 UTF-8 编码!");
}

void WriteFields(std::ostream& out, std::initializer_list<std::string_view> fields) {
  bool first = true;
  for (const std::string_view field : fields) {
    if (!first) out.put('\t');
    out.write(field.data(), static_cast<std::streamsize>(field.size()));
    first = false;
  }
  out.put('\n');
}

}  // namespace tongshu::cli
