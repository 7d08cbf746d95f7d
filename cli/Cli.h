#pragma once
// tongshu-cli: the engines and data lookups of the windows, from the command
// line. Run() is the whole program apart from process set-up.
#include <istream>
#include <ostream>
#include <span>
#include <string>

namespace tongshu::cli {

enum ExitStatus : int {
  kExitOk = 0,
  kExitNoRow = 1,      // almanac: the table has no row for the date
  kExitBadInput = 2,   // the window's own message, or a malformed command line
  kExitDataFile = 3,   // a data file missing, unreadable or damaged: the reader's message
  kExitFailure = 4,    // anything else (out of memory, output not writable)
};

// args excludes the program name. defaultDataDir is where the data files are
// looked for without --data-dir (the executable's directory). `in` is the
// standard input; without it, it is empty.
int Run(std::span<const std::string> args, std::istream& in, std::ostream& out, std::ostream& err,
        const std::string& defaultDataDir);
int Run(std::span<const std::string> args, std::ostream& out, std::ostream& err,
        const std::string& defaultDataDir);

}  // namespace tongshu::cli
