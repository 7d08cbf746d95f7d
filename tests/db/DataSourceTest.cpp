#include <gtest/gtest.h>

#include "db/DataSource.h"
#include "db/Database.h"
#include "services/ConnStr.h"

namespace tongshu::db {
namespace {

struct PathCase {
  const char* connection;
  const char* path;
};

class DataSourcePath : public ::testing::TestWithParam<PathCase> {};

TEST_P(DataSourcePath, NamesTheFile) {
  EXPECT_EQ(DataSourcePathOf(GetParam().connection), GetParam().path);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DataSourcePath,
    ::testing::Values(
        // What the builders produce on Linux and Windows.
        PathCase{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/opt/tongshu/\\dream.dll;Persist Security Info=True",
                 "/opt/tongshu/dream.dll"},
        PathCase{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=D:\\\\dream.dll;Persist Security Info=True",
                 "D:/dream.dll"},
        PathCase{"Provider=Microsoft.Jet.OLEDB.4.0;Data Source=C:\\Almanac\\\\KorBirth.dll;Persist Security Info=True",
                 "C:/Almanac/KorBirth.dll"},
        // An executable on a network share, and a device path.
        PathCase{"Data Source=\\\\server\\share\\tongshu\\\\dream.dll", "//server/share/tongshu/dream.dll"},
        PathCase{"Data Source=\\\\.\\pipe\\x", "//./pipe/x"},
        // UTF-8 folder names and blanks pass unchanged.
        PathCase{"Data Source=/home/用户/吉星 通书/\\KorFile.dll", "/home/用户/吉星 通书/KorFile.dll"},
        // A GBK trail byte 0x5C is not a separator: 0x81 0x5C is one character.
        PathCase{"Data Source=/data/\x81\x5C\xCD\xA8/\\dream.dll", "/data/\x81\x5C\xCD\xA8/dream.dll"},
        // Key in any case, blanks around key and value, the value last or quoted.
        PathCase{"provider=x; data SOURCE = /a/b.dll ", "/a/b.dll"},
        PathCase{"Data Source=\"/a;b/c.dll\";Persist Security Info=True", "/a;b/c.dll"},
        PathCase{"Data Source='/a b/c.dll'", "/a b/c.dll"},
        PathCase{"Data Source=/first.dll;Data Source=/second.dll", "/second.dll"}));

TEST(DataSourcePathErrors, RefusesStringsWithoutASource) {
  for (const char* cs : {"", "Provider=Microsoft.Jet.OLEDB.4.0", "Data Source=;Persist Security Info=True",
                         "Data Source=\"/unterminated", "DataSource=/a.dll", "Data Sourcex=/a.dll"}) {
    EXPECT_THROW(DataSourcePathOf(cs), DbError) << cs;
  }
}

TEST(DataSourcePathErrors, MessageQuotesTheString) {
  try {
    DataSourcePathOf("Provider=Microsoft.Jet.OLEDB.4.0");
    FAIL() << "no exception";
  } catch (const DbError& e) {
    EXPECT_NE(std::string(e.what()).find("Provider=Microsoft.Jet.OLEDB.4.0"), std::string::npos);
  }
}

TEST(DataSourcePathBuilders, EveryBuilderTailNamesItsFile) {
  EXPECT_EQ(DataSourcePathOf(BuildConnStr("/usr/lib/tongshu/", kDreamTail)), "/usr/lib/tongshu/dream.dll");
  EXPECT_EQ(DataSourcePathOf(BuildConnStr("/usr/lib/tongshu/", kFileTail)), "/usr/lib/tongshu/KorFile.dll");
  EXPECT_EQ(DataSourcePathOf(BuildConnStr("/usr/lib/tongshu/", kBirthTail)), "/usr/lib/tongshu/KorBirth.dll");
  EXPECT_EQ(DataSourcePathOf(BuildConnStr("/", kBirthTail)), "/KorBirth.dll");
}

}  // namespace
}  // namespace tongshu::db
