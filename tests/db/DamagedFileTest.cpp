// Damaged copies of a valid file: each must give a DbError that names the
// file, never a crash, a hang or a wrong answer passed off as data.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <functional>
#include <random>

#include "db/Jet4Format.h"
#include "db/MdbDatabase.h"
#include "tests/db/DbFixture.h"

namespace tongshu::db {
namespace {

using namespace tongshu::db::testing;
using namespace tongshu::jet4;
using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kPage = kPageSize;

std::uint16_t U16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }
void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
  Put16(b, at, v & 0xFFFF);
  Put16(b, at + 2, v >> 16);
}
std::size_t RowStart(const Bytes& b, std::uint32_t page, std::size_t row) {
  return page * kPage + (U16(b, page * kPage + kDataRowOffsets + 2 * row) & kRowOffsetMask);
}

// Layout the writer gives one table: 0 header, 1 empty, 2-4 catalog,
// 5 definition, 6 usage maps, 7 data, 8.. overflow rows of the memo.
constexpr std::uint32_t kTdef = 5, kMap = 6, kData = 7, kLval = 8;

Bytes BaseFile() {
  std::string big;
  for (int i = 0; i < 9000; ++i) big += "长";
  jetwrite::Table t{"m", {Text("k", 10), Memo("v")}, {{"a", big}, {"b", "短"}}};
  return jetwrite::WriteDatabase({t});
}

// Offset of the memo header in row 0: after the column count and the key "a"
// (FF FE 61), as the row's variable offset table says.
std::size_t MemoHeader(const Bytes& b) {
  const std::size_t start = RowStart(b, kData, 0);
  const std::size_t next = (kData + 1) * kPage;
  const std::size_t end = next - 1, mask = 1;
  return start + U16(b, end - mask - 3 - 2 * 1);
}

struct Damage {
  const char* name;
  std::function<void(Bytes&)> apply;
  const char* message;  // part of the expected message
};

const std::vector<Damage>& Damages() {
  static const std::vector<Damage> all = {
      {"empty file", [](Bytes& b) { b.clear(); }, "不是 Access 数据库文件"},
      {"first 100 bytes", [](Bytes& b) { b.resize(100); }, "不是 Access 数据库文件"},
      {"header page only", [](Bytes& b) { b.resize(kPage); }, "已损坏"},
      {"cut inside the catalog", [](Bytes& b) { b.resize(3 * kPage); }, "已损坏"},
      {"last overflow page missing", [](Bytes& b) { b.resize(b.size() - kPage); }, "已损坏"},
      {"one byte short", [](Bytes& b) { b.pop_back(); }, "已损坏"},
      {"all zeros", [](Bytes& b) { std::fill(b.begin(), b.end(), 0); }, "不是 Access 数据库文件"},
      {"wrong magic", [](Bytes& b) { b[kMagicOffset] = 'X'; }, "不是 Access 数据库文件"},
      {"Jet 3 file", [](Bytes& b) { b[kVersionOffset] = 0; }, "不支持的数据库版本"},
      {"ACE file", [](Bytes& b) { std::memcpy(&b[kMagicOffset], kAceMagic, sizeof kAceMagic - 1); b[kVersionOffset] = 2; }, "不支持的数据库版本"},
      {"encrypted", [](Bytes& b) { b[kDatabaseKeyOffset] ^= 0x5A; }, "已加密"},
      {"catalog page is not a definition", [](Bytes& b) { b[2 * kPage] = kDataPage; }, "不是表定义页"},
      {"table page is not a definition", [](Bytes& b) { b[kTdef * kPage] = kDataPage; }, "不是表定义页"},
      {"no columns", [](Bytes& b) { Put16(b, kTdef * kPage + kTdefColumns, 0); }, "字段数"},
      {"too many columns", [](Bytes& b) { Put16(b, kTdef * kPage + kTdefColumns, 3000); }, "字段数"},
      {"more variable columns than columns", [](Bytes& b) { Put16(b, kTdef * kPage + kTdefVarColumns, 9); }, "可变长字段数"},
      {"absurd index count", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefRealIndexes, 0x7FFFFFFF); }, "索引数"},
      {"definition continues into itself", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefNextPage, kTdef); }, "成环"},
      {"definition continues past the end", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefNextPage, 999999); }, "不存在"},
      {"unknown column type", [](Bytes& b) { b[kTdef * kPage + kTdefColumnsStart + kColType] = 0x33; }, "未知字段类型"},
      {"column name longer than the page", [](Bytes& b) { Put16(b, kTdef * kPage + kTdefColumnsStart + 2 * kColumnEntrySize, 0xFFF0); }, "字段名"},
      {"usage map beyond the file", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefOwnedPagesMap, 999999u << 8); }, "不存在"},
      {"usage map on the header page", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefOwnedPagesMap, 0); }, "不存在"},
      {"usage map row missing", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefOwnedPagesMap, kMap << 8 | 7); }, "不存在的第 7 行"},
      {"free map beyond the file", [](Bytes& b) { Put32(b, kTdef * kPage + kTdefFreePagesMap, 999999u << 8); }, "不存在"},
      {"usage map lists the definition page",
       [](Bytes& b) { Put32(b, RowStart(b, kMap, 0) + 1, kTdef); }, "不是该表的数据页"},
      {"usage map lists pages past the end",
       [](Bytes& b) { Put32(b, RowStart(b, kMap, 0) + 1, 0xFFFFF0); }, "不存在"},
      {"unknown usage map type", [](Bytes& b) { b[RowStart(b, kMap, 0)] = 7; }, "类型未知"},
      {"data page of another table", [](Bytes& b) { Put32(b, kData * kPage + kDataOwner, 2); }, "不是该表的数据页"},
      {"65535 rows on a page", [](Bytes& b) { Put16(b, kData * kPage + kDataRowCount, 0xFFFF); }, "行数"},
      {"row offset past the page", [](Bytes& b) { Put16(b, kData * kPage + kDataRowOffsets, kRowOffsetMask); }, "行位置越界"},
      {"row inside the page header", [](Bytes& b) { Put16(b, kData * kPage + kDataRowOffsets + 2, 6); }, "行位置越界"},
      {"variable count past the row",
       [](Bytes& b) { Put16(b, (kData + 1) * kPage - 1 - 1 - 1, 0x7FFF); }, "可变长字段表越界"},
      {"variable offsets out of order",
       [](Bytes& b) { Put16(b, (kData + 1) * kPage - 1 - 1 - 3, 0x0FFF); }, "可变长字段位置越界"},
      {"memo points past the file", [](Bytes& b) { Put32(b, MemoHeader(b) + 4, 999999u << 8); }, "不存在"},
      {"memo points at a definition page", [](Bytes& b) { Put32(b, MemoHeader(b) + 4, kTdef << 8); }, "不是数据页"},
      {"memo chain loops", [](Bytes& b) { Put32(b, RowStart(b, kLval, 0), kLval << 8); }, "成环"},
      {"memo chain ends early", [](Bytes& b) { Put32(b, RowStart(b, kLval, 0), 0); }, "短于"},
      {"memo longer than its chain", [](Bytes& b) { b[MemoHeader(b) + 2] = 0x7F; }, "短于"},
      {"unknown memo flag", [](Bytes& b) { b[MemoHeader(b) + 3] = 0x20; }, "标志未知"},
      {"garbage over the data page",
       [](Bytes& b) {
         std::mt19937 rng(7);
         for (std::size_t i = kData * kPage + kDataRowCount; i < (kData + 1) * kPage; ++i) b[i] = static_cast<std::uint8_t>(rng());
       },
       "已损坏"},
  };
  return all;
}

class DamagedFile : public ::testing::TestWithParam<Damage> {};

TEST_P(DamagedFile, GivesAnErrorNamingTheFile) {
  Bytes bytes = BaseFile();
  GetParam().apply(bytes);
  const std::string path = WriteBytes("damaged.dll", bytes);
  MdbDatabase db;
  try {
    const auto row = db.firstRowOf(path, ParseSelect("select * from m where k = 'a'"));
    FAIL() << "no error; row found: " << row.has_value();
  } catch (const DbError& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(path), std::string::npos) << what;
    EXPECT_NE(what.find(GetParam().message), std::string::npos) << what;
  }
}

INSTANTIATE_TEST_SUITE_P(Copies, DamagedFile, ::testing::ValuesIn(Damages()),
                         [](const ::testing::TestParamInfo<Damage>& info) {
                           std::string n;
                           for (const char* c = info.param.name; *c; ++c) n += std::isalnum(*c) ? *c : '_';
                           return n;
                         });

TEST(DamagedFile, TheUndamagedBaseFileReads) {
  const std::string path = WriteBytes("base.dll", BaseFile());
  MdbDatabase db;
  const auto row = db.firstRowOf(path, ParseSelect("select v from m where k = 'b'"));
  ASSERT_TRUE(row);
  EXPECT_EQ(row->field("v"), "短");
  EXPECT_EQ(db.firstRowOf(path, ParseSelect("select v from m where k = 'a'"))->field("v").size(), 9000u * 3);
}

// Random byte changes anywhere in the file: every lookup returns normally or
// throws DbError. A crash, a hang or another exception fails the test (and the
// sanitizer build catches reads out of bounds).
TEST(DamagedFile, RandomByteChangesNeverCrash) {
  const Bytes base = BaseFile();
  std::mt19937 rng(20110305);
  const std::string path = (FixtureDir() / "fuzz.dll").string();
  MdbDatabase db;
  int errors = 0, rows = 0;
  for (int iteration = 0; iteration < 800; ++iteration) {
    Bytes b = base;
    const int changes = 1 + static_cast<int>(rng() % 8);
    for (int i = 0; i < changes; ++i) {
      // Mostly the structural pages, where a change matters most.
      const std::size_t at = rng() % 4 ? (rng() % (9 * kPage)) : rng() % b.size();
      b[at] = static_cast<std::uint8_t>(rng());
    }
    // A rewrite within one clock tick can keep inode, size and times.
    db.closeAll();
    WriteBytes("fuzz.dll", b);
    try {
      if (db.firstRowOf(path, ParseSelect(iteration % 2 ? "select * from m where k = 'a'"
                                                        : "select * from m where k = 'b'")))
        ++rows;
    } catch (const DbError&) {
      ++errors;
    }
  }
  // Both outcomes occur: the checks neither refuse everything nor let everything through.
  EXPECT_GT(errors, 10);
  EXPECT_GT(rows, 50);
}

}  // namespace
}  // namespace tongshu::db
