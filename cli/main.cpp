// tongshu-cli: see Cli.h. Reads no configuration; the data files are found
// beside the executable unless --data-dir says otherwise.
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "Cli.h"
#include "ConnStr.h"

int main(int argc, char** argv) {
  try {
    std::ios::sync_with_stdio(false);
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    int status = tongshu::cli::Run(args, std::cout, std::cerr, tongshu::ExecutableDir());
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
