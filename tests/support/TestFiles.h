#pragma once
// Files in tests: a scratch folder of the test process's own, and whole-file
// reads and writes.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace tongshu::testing {

// <temp>/<stem>-<pid>, made when missing: tests of one program run in
// processes of their own and so never share it.
inline std::filesystem::path ScratchDir(const std::string& stem) {
  const auto dir = std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return dir;
}

// The whole content; empty when the file cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

// Writes `bytes` (a contiguous range of chars or bytes) as the file's whole
// content; false when that failed.
template <class Bytes>
bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(std::data(bytes)), static_cast<std::streamsize>(std::size(bytes)));
  return static_cast<bool>(out.flush());
}

}  // namespace tongshu::testing
