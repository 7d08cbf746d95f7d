// Re-runs the table generator and compares its output with the committed
// netname/syllable_tables.cpp, where the Unihan data is installed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kUnihan = "/usr/share/unicode/Unihan_Readings.txt.bz2";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

TEST(SyllableTableGenerator, ReproducesTheCommittedTable) {
  if (!fs::exists(kUnihan)) GTEST_SKIP() << kUnihan << " is absent (Debian package unicode-data)";
  if (std::system("python3 --version >/dev/null 2>&1") != 0) GTEST_SKIP() << "python3 is not installed";

  const fs::path source = TONGSHU_SOURCE_DIR;
  const fs::path output = fs::temp_directory_path() / ("syllable_tables." + std::to_string(::getpid()) + ".cpp");
  const std::string command = "python3 \"" + (source / "tools/pinyin-table/gen_syllable_tables.py").string() +
                              "\" --unihan " + kUnihan + " --output \"" + output.string() + "\"";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;

  const std::string generated = ReadAll(output);
  const std::string committed = ReadAll(source / "netname/syllable_tables.cpp");
  fs::remove(output);
  ASSERT_FALSE(committed.empty());
  EXPECT_TRUE(generated == committed) << "netname/syllable_tables.cpp differs from the generator's output; "
                                         "re-run tools/pinyin-table/gen_syllable_tables.py";
}

}  // namespace
