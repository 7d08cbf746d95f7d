#pragma once
// Fixture files for the reader's tests, written with the project's writer.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/TestFiles.h"
#include "tools/jetwrite/JetWriter.h"

namespace tongshu::db::testing {

inline std::filesystem::path FixtureDir() {
  static const std::filesystem::path dir = tongshu::testing::ScratchDir("tongshu-db-tests");
  return dir;
}

inline std::string WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto path = FixtureDir() / name;
  tongshu::testing::WriteWholeFile(path, bytes);
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
