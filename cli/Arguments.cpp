#include "cli/Arguments.h"

#include <algorithm>

namespace tongshu::cli {
namespace {

// The options whose every value counts (a couple's two animals, several
// birthdays and their names); any other given twice is refused rather than
// letting the last one win unnoticed.
constexpr std::string_view kRepeatable[] = {"zodiac", "birthday", "name"};

}  // namespace

std::optional<std::string> CommandLine::value(std::string_view option) const {
  const auto it = values.find(option);
  if (it == values.end() || it->second.empty()) return std::nullopt;
  return it->second.back();
}

std::vector<std::string> CommandLine::all(std::string_view option) const {
  const auto it = values.find(option);
  return it == values.end() ? std::vector<std::string>{} : it->second;
}

CommandLine ParseCommandLine(std::string_view command, std::span<const std::string> args,
                             std::span<const std::string_view> valueOptions,
                             std::span<const std::string_view> flagOptions) {
  const auto listed = [](std::span<const std::string_view> options, std::string_view name) {
    return std::find(options.begin(), options.end(), name) != options.end();
  };
  const auto fail = [&](const std::string& what) -> InputError {
    return InputError("tongshu-cli " + std::string(command) + ": " + what + " (see tongshu-cli " +
                      std::string(command) + " --help)");
  };
  CommandLine line;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || (arg[1] != '-' && arg != "-h")) {
      line.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      line.help = true;
      continue;
    }
    if (arg == "--json") {
      line.json = true;
      continue;
    }
    std::string_view name = std::string_view(arg).substr(2);
    std::optional<std::string> inlineValue;
    if (const auto eq = name.find('='); eq != std::string_view::npos) {
      inlineValue = std::string(name.substr(eq + 1));
      name = name.substr(0, eq);
    }
    if (listed(flagOptions, name)) {
      if (inlineValue) throw fail("option '--" + std::string(name) + "' takes no value");
      line.flags.emplace(name);
      continue;
    }
    const bool known = name == "data-dir" || listed(valueOptions, name);
    if (!known) throw fail("unknown option '--" + std::string(name) + "'");
    std::string value;
    if (inlineValue) {
      value = std::move(*inlineValue);
    } else if (i + 1 < args.size()) {
      value = args[++i];
    } else {
      throw fail("option '--" + std::string(name) + "' needs a value");
    }
    const bool again = name == "data-dir" ? line.dataDir.has_value() : line.values.count(name) > 0;
    if (again && std::find(std::begin(kRepeatable), std::end(kRepeatable), name) == std::end(kRepeatable))
      throw fail("option '--" + std::string(name) + "' given twice");
    if (name == "data-dir") {
      line.dataDir = std::move(value);
    } else {
      line.values[std::string(name)].push_back(std::move(value));
    }
  }
  return line;
}

}  // namespace tongshu::cli
