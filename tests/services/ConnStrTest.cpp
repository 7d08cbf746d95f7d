#include <gtest/gtest.h>

#include <filesystem>

#include "ConnStr.h"

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
  EXPECT_EQ(dir.back(), '/');
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(dir) / "tongshu_services_core_tests"));
  EXPECT_EQ(DreamConnStr(), std::string(kConnPrefix) + dir + "\\dream.dll;Persist Security Info=True");
  EXPECT_EQ(FileConnStr(), std::string(kConnPrefix) + dir + "\\KorFile.dll;Persist Security Info=True");
  EXPECT_EQ(BirthConnStr(), std::string(kConnPrefix) + dir + "\\KorBirth.dll;Persist Security Info=True");
}
