#pragma once
// The command line of one subcommand: positional arguments, options with a
// value ("--from DATE" or "--from=DATE"), and the flags every subcommand has.
#include <map>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::cli {

// Exit status 2 with the message on stderr. Raised for a malformed command
// line and for input the windows would refuse (then with their message).
class InputError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct CommandLine {
  std::vector<std::string> positional;
  // Every value of each option, in the order given.
  std::map<std::string, std::vector<std::string>, std::less<>> values;
  std::set<std::string, std::less<>> flags;
  bool json = false;
  bool help = false;
  std::optional<std::string> dataDir;

  // The last value of a repeated option.
  std::optional<std::string> value(std::string_view option) const;
  std::vector<std::string> all(std::string_view option) const;
  bool flag(std::string_view option) const { return flags.find(option) != flags.end(); }
};

// Options start with "--"; "-h" is --help; "--" ends the options, so a
// positional argument may itself start with "--"; anything else, "-5"
// included, is positional. `valueOptions` are the subcommand's own options
// that take a value, `flagOptions` those that take none (both without the
// leading "--"). Throws InputError for an unknown option, a missing value or
// a value given to a flag. `command` names the subcommand in messages.
CommandLine ParseCommandLine(std::string_view command, std::span<const std::string> args,
                             std::span<const std::string_view> valueOptions,
                             std::span<const std::string_view> flagOptions = {});

}  // namespace tongshu::cli
