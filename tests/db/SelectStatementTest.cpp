#include <gtest/gtest.h>

#include "db/Database.h"
#include "db/SelectStatement.h"

namespace tongshu::db {
namespace {

TEST(ParseSelect, TheAlmanacStatement) {
  const SelectStatement st = ParseSelect("Select top 1 * from huangdao where gn = #2011-3-5#");
  EXPECT_EQ(st.top, 1);
  EXPECT_TRUE(st.columns.empty());
  EXPECT_EQ(st.table, "huangdao");
  EXPECT_EQ(st.whereColumn, "gn");
  EXPECT_EQ(st.value.kind, Literal::Kind::Date);
  EXPECT_EQ(st.value.daySerial, 40607);
}

TEST(ParseSelect, TheMobileNumberStatement) {
  const SelectStatement st = ParseSelect("select title,jx,content from shouji where num = '21'");
  EXPECT_FALSE(st.top.has_value());
  EXPECT_EQ(st.columns, (std::vector<std::string>{"title", "jx", "content"}));
  EXPECT_EQ(st.table, "shouji");
  EXPECT_EQ(st.value.kind, Literal::Kind::Text);
  EXPECT_EQ(st.value.text, "21");
}

TEST(ParseSelect, KeywordsInAnyCaseBlanksBracketsAndSemicolon) {
  const SelectStatement st =
      ParseSelect("  SELECT   TOP 5 [title] , Jx\nFROM [shouji]\tWhErE num='it''s' ;  ");
  EXPECT_EQ(st.top, 5);
  EXPECT_EQ(st.columns, (std::vector<std::string>{"title", "Jx"}));
  EXPECT_EQ(st.table, "shouji");
  EXPECT_EQ(st.value.text, "it's");
}

struct NumberCase {
  const char* literal;
  double value;
};

TEST(ParseSelect, Numbers) {
  for (const NumberCase c : {NumberCase{"21", 21}, NumberCase{"-7", -7}, NumberCase{"+3", 3},
                             NumberCase{"40607.0", 40607}, NumberCase{"0.25", 0.25}, NumberCase{"12.", 12}}) {
    const SelectStatement st = ParseSelect(std::string("select * from t where n = ") + c.literal);
    EXPECT_EQ(st.value.kind, Literal::Kind::Number) << c.literal;
    EXPECT_DOUBLE_EQ(st.value.number, c.value) << c.literal;
  }
}

struct DateCase {
  const char* literal;
  std::int64_t serial;
};

TEST(ParseSelect, DateLiteralsBecomeDaySerials) {
  for (const DateCase c : {DateCase{"#1899-12-30#", 0}, DateCase{"#1900-1-1#", 2}, DateCase{"#1901-01-01#", 367},
                           DateCase{"#2012-2-29#", 40968}, DateCase{"#2012-3-1#", 40969}, DateCase{"#2000-2-29#", 36585},
                           DateCase{"#2050-12-31#", 55153}, DateCase{"#1800-1-1#", -36522}}) {
    const SelectStatement st = ParseSelect(std::string("select * from t where d = ") + c.literal);
    EXPECT_EQ(st.value.daySerial, c.serial) << c.literal;
  }
}

TEST(ParseSelect, RefusesEverythingElse) {
  for (const char* sql : {
           "",
           "delete from huangdao where gn = #2011-3-5#",
           "select * from huangdao",                               // no WHERE
           "select * from huangdao where gn > #2011-3-5#",         // other operator
           "select * from huangdao where gn = #2011-3-5# and nn = 'x'",
           "select * from huangdao where gn = #2011-3-5# or 1 = 1",
           "select * from t where a like 'x'",
           "select * from t where a = b",                          // column, not a literal
           "select * from t where a = 'unterminated",
           "select * from t where a = #2011-2-30#",                // no such day
           "select * from t where a = #1900-2-29#",                // 1900 is not a leap year
           "select * from t where a = #2011/3/5#",
           "select * from t where a = #11-3-5x#",
           "select * from t where a = #2011-3#",
           "select top 0 * from t where a = 1",
           "select top x * from t where a = 1",
           "select * from t where a = 21abc",
           "select * from t where a = 1 order by a",
           "select *, a from t where a = 1",
           "select a, from t where a = 1",
           "select * from t where a = 1; select * from t where a = 2",
           "select * from [t where a = 1",
           "select from t where a = 1",
       }) {
    try {
      ParseSelect(sql);
      ADD_FAILURE() << "accepted: " << sql;
    } catch (const DbError& e) {
      EXPECT_NE(std::string(e.what()).find("不支持的查询语句"), std::string::npos) << e.what();
    }
  }
}

TEST(DaySerialOf, RejectsImpossibleDates) {
  EXPECT_FALSE(DaySerialOf(2011, 2, 29));
  EXPECT_FALSE(DaySerialOf(2011, 13, 1));
  EXPECT_FALSE(DaySerialOf(2011, 4, 31));
  EXPECT_FALSE(DaySerialOf(2011, 1, 0));
  EXPECT_FALSE(DaySerialOf(99, 1, 1));
  EXPECT_EQ(DaySerialOf(2011, 12, 31), 40908);
}

}  // namespace
}  // namespace tongshu::db
