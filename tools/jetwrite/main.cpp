// jetwrite OUTPUT [TABLE=INPUT.tsv[.gz] ...]
// Writes an Access (Jet 4) file holding the given tables, or no user table at
// all. The file is written beside its final name and renamed into place, so a
// failed run leaves no half-written database.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "tools/jetwrite/JetWriter.h"
#include "tools/jetwrite/Tsv.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: jetwrite OUTPUT [TABLE=INPUT.tsv[.gz] ...]\n";
    return 2;
  }
  try {
    std::vector<jetwrite::Table> tables;
    for (int i = 2; i < argc; ++i) {
      const std::string arg = argv[i];
      const std::size_t eq = arg.find('=');
      if (eq == std::string::npos || eq == 0 || eq + 1 == arg.size())
        throw jetwrite::WriteError("argument must read TABLE=FILE: " + arg);
      const std::string path = arg.substr(eq + 1);
      tables.push_back(jetwrite::ParseTsv(arg.substr(0, eq), jetwrite::ReadMaybeGzipped(path), path));
    }
    const std::vector<std::uint8_t> bytes = jetwrite::WriteDatabase(tables);
    const std::filesystem::path out = argv[1];
    const std::filesystem::path tmp = out.string() + ".tmp";
    try {
      {
        std::ofstream f(tmp, std::ios::binary | std::ios::trunc);
        f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!f.flush()) throw jetwrite::WriteError(tmp.string() + ": write failed");
      }
      std::filesystem::rename(tmp, out);
    } catch (...) {
      std::error_code ignored;
      std::filesystem::remove(tmp, ignored);
      throw;
    }
    std::cout << out.string() << ": " << tables.size() << " table(s), " << bytes.size() / 4096 << " pages\n";
  } catch (const std::exception& e) {
    std::cerr << "jetwrite: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
