// Writes the reader's seed files into a folder: tools/fuzz.sh refreshes the
// committed corpus/mdb seeds with it when the writer changes.
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "tests/fuzz/MdbSeeds.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path dir = argv[1];
  std::filesystem::create_directories(dir);
  for (const auto& [name, bytes] : tongshu::fuzz::MdbSeedFiles()) {
    std::ofstream out(dir / ("seed-" + name), std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return 1;
  }
  return 0;
}
