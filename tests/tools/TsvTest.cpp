#include <gtest/gtest.h>

#include "tools/jetwrite/Tsv.h"

namespace jetwrite {
namespace {

TEST(ParseTsv, ColumnsEscapesNullAndEmpty) {
  const Table t = ParseTsv("t",
                           "k:Text(10)\tm:Memo\td:DateTime\n"
                           "a\tline\\none\\ttab\\\\slash\\rcr\t2011-03-05\n"
                           "b\t\t\\N\n"
                           "c\t\\N\t2012-02-29 06:00:00\n",
                           "t.tsv");
  ASSERT_EQ(t.columns.size(), 3u);
  EXPECT_EQ(t.columns[0].type, ColumnType::Text);
  EXPECT_EQ(t.columns[0].maxChars, 10);
  EXPECT_EQ(t.columns[1].type, ColumnType::Memo);
  EXPECT_EQ(t.columns[2].type, ColumnType::DateTime);
  ASSERT_EQ(t.rows.size(), 3u);
  EXPECT_EQ(t.rows[0][1], "line\none\ttab\\slash\rcr");
  EXPECT_EQ(t.rows[1][1], "");            // empty text
  EXPECT_EQ(t.rows[1][2], std::nullopt);  // NULL
  EXPECT_EQ(t.rows[2][1], std::nullopt);
}

TEST(ParseTsv, AFileWithoutFinalNewlineKeepsItsLastRow) {
  const Table t = ParseTsv("t", "k:Text(5)\na\nb", "t.tsv");
  ASSERT_EQ(t.rows.size(), 2u);
  EXPECT_EQ(t.rows[1][0], "b");
}

struct BadInput {
  const char* text;
  const char* message;
};

TEST(ParseTsv, MalformedInputNamesTheLine) {
  for (const BadInput& c : {
           BadInput{"", "empty input"},
           BadInput{"k\n", "name:Type"},
           BadInput{":Memo\n", "name:Type"},
           BadInput{"k:Number\n", "unknown column type"},
           BadInput{"k:Text(0)\n", "1..255"},
           BadInput{"k:Text(256)\n", "1..255"},
           BadInput{"k:Text(x)\n", "1..255"},
           BadInput{"k:Text(10)\tv:Memo\na\n", "t.tsv:2: 1 values for 2 columns"},
           BadInput{"k:Text(10)\na\tb\n", "t.tsv:2: 2 values"},
           BadInput{"k:Text(10)\na\\\n", "lone backslash"},
           BadInput{"k:Text(10)\na\\x\n", "unknown escape"},
           BadInput{"k:Text(10)\r\na\r\n", "CR before LF"},
       }) {
    try {
      ParseTsv("t", c.text, "t.tsv");
      ADD_FAILURE() << "accepted: " << c.text;
    } catch (const WriteError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
    }
  }
}

}  // namespace
}  // namespace jetwrite
