#include <gtest/gtest.h>

#include <filesystem>

#include "services/ConnStr.h"

using namespace tongshu;

TEST(ConnStr, ConcatenatesPrefixDirectoryAndTailUnchanged) {
  struct Case {
    std::string dir, tail, expected;
  };
  const Case cases[] = {
      {"C:\\Almanac\\", std::string(kDreamTail),
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Almanac\\\\dream.dll;Persist Security Info=True"},
      {"D:\\", std::string(kDreamTail),
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\\\dream.dll;Persist Security Info=True"},
      {"/opt/吉星 通书/", std::string(kBirthTail),
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/吉星 通书/\\KorBirth.dll;Persist Security Info=True"},
      {"/x/", std::string(kFileTail),
       "Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/x/\\KorFile.dll;Persist Security Info=True"},
  };
  for (const Case& c : cases) EXPECT_EQ(BuildConnStr(c.dir, c.tail), c.expected);
}

TEST(ConnStr, BuildersUseTheRunningExecutablesDirectory) {
  const std::string dir = ExecutableDir();
  ASSERT_FALSE(dir.empty());
#ifdef _WIN32
  EXPECT_EQ(dir.back(), '\\');
  const char* self = "tongshu_services_core_tests.exe";
#else
  EXPECT_EQ(dir.back(), '/');
  const char* self = "tongshu_services_core_tests";
#endif
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(std::u8string(dir.begin(), dir.end())) / self));
  EXPECT_EQ(DreamConnStr(), std::string(kConnPrefix) + dir + "\\dream.dll;Persist Security Info=True");
  EXPECT_EQ(FileConnStr(), std::string(kConnPrefix) + dir + "\\KorFile.dll;Persist Security Info=True");
  EXPECT_EQ(BirthConnStr(), std::string(kConnPrefix) + dir + "\\KorBirth.dll;Persist Security Info=True");
  EXPECT_EQ(ExecutableDataDirectory().path(), dir);
}

struct FixedDirectory final : DataDirectory {
  std::string dir;
  explicit FixedDirectory(std::string d) : dir(std::move(d)) {}
  std::string path() const override { return dir; }
};

struct LostDirectory final : DataDirectory {
  std::string path() const override { throw DataDirectoryError("找不到程序所在的文件夹（测试）"); }
};

using Builder = std::string (*)(const DataDirectory&);
const std::pair<Builder, const char*> kBuilders[] = {
    {&DreamConnStr, "\\dream.dll;"}, {&FileConnStr, "\\KorFile.dll;"}, {&BirthConnStr, "\\KorBirth.dll;"}};

TEST(DataDirectory, BuildersTakeTheDirectoryOfTheService) {
  const FixedDirectory root("D:\\");
  for (const auto& [build, tail] : kBuilders)
    EXPECT_EQ(build(root), std::string(kConnPrefix) + "D:\\" + tail + "Persist Security Info=True");
}

TEST(DataDirectory, ADirectoryThatCannotBeFoundIsReportedNotTakenForTheRoot) {
  const LostDirectory lost;
  for (const auto& [build, tail] : kBuilders) {
    try {
      const std::string conn = build(lost);
      ADD_FAILURE() << "built " << conn;
    } catch (const DataDirectoryError& e) {
      EXPECT_STREQ(e.what(), "找不到程序所在的文件夹（测试）") << tail;
    }
  }
}
