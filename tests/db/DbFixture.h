#pragma once
// Fixture files for the reader's tests, written with the project's writer.
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "JetWriter.h"

namespace tongshu::db::testing {

inline std::filesystem::path FixtureDir() {
  static const std::filesystem::path dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("tongshu-db-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

inline std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto path = FixtureDir() / name;
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

inline std::string WriteFixture(const std::string& name, const std::vector<jetwrite::Table>& tables) {
  return WriteBytes(name, jetwrite::WriteDatabase(tables));
}

inline jetwrite::Column Text(std::string name, int chars = 255) {
  return {std::move(name), jetwrite::ColumnType::Text, chars};
}
inline jetwrite::Column Memo(std::string name) { return {std::move(name), jetwrite::ColumnType::Memo, 0}; }
inline jetwrite::Column Date(std::string name) { return {std::move(name), jetwrite::ColumnType::DateTime, 0}; }

}  // namespace tongshu::db::testing
