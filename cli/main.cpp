// tongshu-cli: see Cli.h. Reads no configuration; the data files are found
// beside the executable unless --data-dir says otherwise.
//
// On Windows the arguments are taken from the wide command line and the
// output is written as UTF-8 bytes (no CR added), with the console told to
// read it as UTF-8, so Chinese survives whatever the console's code page is.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/Cli.h"
#include "services/ConnStr.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#include <shellapi.h>

#include "text/WideText.h"
#endif

namespace {

#ifdef _WIN32
// The arguments after the program name, as UTF-8.
std::vector<std::string> Arguments(int, char**) {
  std::vector<std::string> args;
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (!argv) return args;
  for (int i = 1; i < argc; ++i) args.push_back(tongshu::Utf8FromWide(argv[i]));
  LocalFree(argv);
  return args;
}

// Sets the console's output code page to UTF-8 for the run and back after.
class Utf8Console {
 public:
  Utf8Console() : previous_(GetConsoleOutputCP()) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (previous_ != 0) SetConsoleOutputCP(CP_UTF8);
  }
  ~Utf8Console() {
    if (previous_ != 0) SetConsoleOutputCP(previous_);
  }
  Utf8Console(const Utf8Console&) = delete;
  Utf8Console& operator=(const Utf8Console&) = delete;

 private:
  UINT previous_;  // 0 without a console
};
#else
std::vector<std::string> Arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

struct Utf8Console {};
#endif

bool HasDataDir(const std::vector<std::string>& args) {
  for (const std::string& a : args)
    if (a == "--data-dir" || a.rfind("--data-dir=", 0) == 0) return true;
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    [[maybe_unused]] const Utf8Console console;
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args = Arguments(argc, argv);
    std::string dataDir;
    try {
      dataDir = tongshu::ExecutableDir();
    } catch (const tongshu::DataDirectoryError& e) {
      // Without it no data file can be found; --data-dir names one instead.
      if (!HasDataDir(args)) {
        std::cerr << "tongshu-cli: " << e.what() << "；请用 --data-dir 指定数据文件所在的文件夹\n";
        return tongshu::cli::kExitDataFile;
      }
    }
    int status = tongshu::cli::Run(args, std::cin, std::cout, std::cerr, dataDir);
    std::cout.flush();
    if (!std::cout) {
      std::cerr << "tongshu-cli: cannot write the output\n";
      if (status == tongshu::cli::kExitOk) status = tongshu::cli::kExitFailure;
    }
    return status;
  } catch (...) {
    std::fputs("tongshu-cli: unexpected failure\n", stderr);
    return tongshu::cli::kExitFailure;
  }
}
