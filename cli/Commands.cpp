#include "Commands.h"

namespace tongshu::cli {

void RequirePositional(std::string_view command, const CommandLine& line, std::size_t count) {
  if (line.positional.size() == count) return;
  const std::string name(command);
  throw InputError("tongshu-cli " + name + ": expected " + std::to_string(count) + " argument" +
                   (count == 1 ? "" : "s") + ", got " + std::to_string(line.positional.size()) +
                   " (see tongshu-cli " + name + " --help)");
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
