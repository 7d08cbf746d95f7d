// The writer's output: deterministic bytes, the page layout both readers
// rely on, and the input it refuses. Reading back values is the reader's
// test (tests/db); here mdbtools' own tools read the files independently.
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>

#include "db/JetImage.h"
#include "tools/jetwrite/JetWriter.h"
#include "tools/jetwrite/Tsv.h"

namespace jetwrite {
namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr std::size_t kPage = 4096;

std::uint16_t U16(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8); }
std::uint32_t U32(const Bytes& b, std::size_t at) {
  return static_cast<std::uint32_t>(U16(b, at)) | static_cast<std::uint32_t>(U16(b, at + 2)) << 16;
}

Column TextCol(std::string n, int chars = 255) { return {std::move(n), ColumnType::Text, chars}; }
Column MemoCol(std::string n) { return {std::move(n), ColumnType::Memo, 0}; }
Column DateCol(std::string n) { return {std::move(n), ColumnType::DateTime, 0}; }

std::filesystem::path TempDir() {
  static const auto dir = [] {
    auto d = std::filesystem::temp_directory_path() / ("jetwrite-tests-" + std::to_string(::getpid()));
    std::filesystem::create_directories(d);
    return d;
  }();
  return dir;
}

std::string Save(const std::string& name, const Bytes& bytes) {
  const auto path = TempDir() / name;
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return path.string();
}

std::string Shell(const std::string& cmd, int* status = nullptr) {
  std::string out;
  FILE* p = ::popen(cmd.c_str(), "r");
  if (!p) return out;
  std::array<char, 4096> buf{};
  while (std::size_t n = std::fread(buf.data(), 1, buf.size(), p)) out.append(buf.data(), n);
  const int rc = ::pclose(p);
  if (status) *status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  return out;
}

struct SerialCase {
  const char* text;
  double serial;
};

TEST(DateSerialOf, DaysSince1899December30) {
  for (const SerialCase& c : {SerialCase{"1899-12-30", 0}, SerialCase{"1900-01-01", 2}, SerialCase{"1901-01-01", 367},
                              SerialCase{"2011-03-05", 40607}, SerialCase{"2012-02-29", 40968},
                              SerialCase{"2012-03-01", 40969}, SerialCase{"2050-12-31", 55153},
                              SerialCase{"2011-03-05 06:00:00", 40607.25}, SerialCase{"2011-03-05 18:00:00", 40607.75},
                              // Before the epoch the time of day counts away from zero.
                              SerialCase{"1899-12-29 06:00:00", -1.25}, SerialCase{"1800-01-01", -36522}}) {
    EXPECT_DOUBLE_EQ(DateSerialOf(c.text), c.serial) << c.text;
  }
}

TEST(DateSerialOf, RefusesWhatIsNotADate) {
  for (const char* t : {"", "2011-3-5", "2011-02-29", "1900-02-29", "2011-13-01", "2011-04-31", "2011-00-10",
                        "0099-01-01", "2011-03-05 24:00:00", "2011-03-05 12:60:00", "2011-03-05T06:00:00",
                        "2011/03/05", "２０１１-03-05"}) {
    EXPECT_THROW(DateSerialOf(t), WriteError) << t;
  }
}

TEST(HeaderMask, IsTheRc4StreamOfTheJetKey) {
  const auto& mask = tongshu::jet4::kHeaderMask;
  ASSERT_EQ(mask.size(), 128u);
  EXPECT_EQ(mask[0], 0xB5);
  EXPECT_EQ(mask[1], 0x6F);
  EXPECT_EQ(mask[2], 0x03);
  EXPECT_EQ(mask[3], 0x62);
}

Table Sample() {
  Table t{"sample", {TextCol("k", 10), DateCol("d"), MemoCol("m")}, {}};
  for (int i = 0; i < 700; ++i)
    t.rows.push_back({std::to_string(i), i % 3 ? Cell{"2011-03-05"} : std::nullopt,
                      i == 5 ? std::string(20000, 'w') : i == 6 ? std::string(3000, 'v') : "短" + std::to_string(i)});
  return t;
}

TEST(WriteDatabase, SameInputSameBytes) {
  EXPECT_EQ(WriteDatabase({Sample()}), WriteDatabase({Sample()}));
}

TEST(WriteDatabase, HeaderIsJet4WithCodePage936AndNoKey) {
  const Bytes b = WriteDatabase({});
  ASSERT_EQ(b.size() % kPage, 0u);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&b[4]), 15), "Standard Jet DB");
  EXPECT_EQ(b[0x14], 1);
  const auto& mask = tongshu::jet4::kHeaderMask;
  auto unmasked16 = [&](std::size_t at) {
    return static_cast<std::uint16_t>((b[at] ^ mask[at - 0x18]) | (b[at + 1] ^ mask[at + 1 - 0x18]) << 8);
  };
  EXPECT_EQ(unmasked16(0x3C), 936);
  EXPECT_EQ(unmasked16(0x3E), 0);  // database key: not encrypted
  EXPECT_EQ(unmasked16(0x40), 0);
  EXPECT_EQ(unmasked16(0x6E), 0x0409);
}

// Every page is the header, a definition, a data page of a table, or an
// overflow page; each table's usage map lists exactly its own data pages.
TEST(WriteDatabase, EveryPageBelongsWhereTheMapsSay) {
  const Bytes b = WriteDatabase({Sample(), {"second", {TextCol("x")}, {{"1"}, {"2"}}}});
  const std::size_t pages = b.size() / kPage;
  std::map<std::uint32_t, std::set<std::uint32_t>> owned;  // definition page -> data pages
  std::set<std::uint32_t> lval;
  for (std::uint32_t pg = 1; pg < pages; ++pg) {
    const std::size_t at = pg * kPage;
    if (b[at] == 0x02) continue;
    ASSERT_EQ(b[at], 0x01) << pg;
    const std::uint16_t rows = U16(b, at + 12);
    EXPECT_LE(rows, 255u) << pg;
    // Free space is what the rows and their offsets leave.
    std::size_t used = 14 + 2u * rows;
    for (std::uint16_t r = 0; r < rows; ++r) {
      const std::size_t start = U16(b, at + 14 + 2 * r);
      const std::size_t end = r == 0 ? kPage : U16(b, at + 14 + 2 * (r - 1));
      ASSERT_LE(start, end);
      used += end - start;
    }
    EXPECT_EQ(U16(b, at + 2), kPage - used) << pg;
    if (std::memcmp(&b[at + 4], "LVAL", 4) == 0) lval.insert(pg);
    else if (const std::uint32_t owner = U32(b, at + 4); owner != 0) owned[owner].insert(pg);
  }
  EXPECT_FALSE(lval.empty());
  ASSERT_EQ(owned.size(), 3u);  // MSysObjects and the two tables
  tongshu::db::JetImage image(tongshu::db::FileBytes(b.begin(), b.end()), "test");
  for (const auto& e : image.catalog()) {
    const auto layout = image.checkTable(e);
    EXPECT_EQ(std::set<std::uint32_t>(layout.dataPages.begin(), layout.dataPages.end()), owned[e.tdefPage]) << e.name;
  }
  ASSERT_EQ(image.catalog().size(), 3u);
  EXPECT_EQ(image.catalog()[0].name, "MSysObjects");
  EXPECT_EQ(image.catalog()[0].tdefPage, 2u);
  EXPECT_FALSE(image.catalog()[0].isUserTable());
  EXPECT_EQ(image.catalog()[1].name, "sample");
  EXPECT_TRUE(image.catalog()[1].isUserTable());
}

// Short memos stay in the row, longer ones take one overflow row or a chain.
TEST(WriteDatabase, MemoPlacementByLength) {
  Table t{"t", {MemoCol("m")}, {{"inline"}, {std::string(3000, 'a')}, {std::string(20000, 'b')}}};
  const Bytes b = WriteDatabase({t});
  // Layout: 0 header, 1 empty, 2-4 catalog, 5 definition, 6 maps, 7 data.
  std::vector<std::uint8_t> flags;
  std::vector<std::uint32_t> lengths;
  for (int r = 0; r < 3; ++r) {
    const std::size_t start = 7 * kPage + U16(b, 7 * kPage + 14 + 2 * r);
    // One variable column: its data begins right after the column count.
    lengths.push_back(U32(b, start + 2) & 0xFFFFFF);
    flags.push_back(b[start + 2 + 3]);
  }
  EXPECT_EQ(flags, (std::vector<std::uint8_t>{0x80, 0x40, 0x00}));
  EXPECT_EQ(lengths, (std::vector<std::uint32_t>{8, 3002, 20002}));  // FF FE and one byte a character
}

struct Refusal {
  const char* why;
  std::vector<Table> tables;
  const char* message;
};

TEST(WriteDatabase, RefusesWhatAJet4FileCannotHold) {
  std::string chinese256;
  for (int i = 0; i < 256; ++i) chinese256 += "字";
  std::vector<Column> tenWide;
  Row tenValues;
  std::string chinese200;
  for (int i = 0; i < 200; ++i) chinese200 += "字";
  for (int i = 0; i < 11; ++i) {
    tenWide.push_back(TextCol("c" + std::to_string(i)));
    tenValues.push_back(chinese200);
  }
  const std::vector<Refusal> cases = {
      {"text over its length", {{"t", {TextCol("a", 3)}, {{"abcd"}}}}, "exceed Text(3)"},
      {"255 characters, not bytes", {{"t", {TextCol("a")}, {{chinese256}}}}, "256 characters exceed Text(255)"},
      {"row over 4,060 bytes", {{"t", tenWide, {tenValues}}}, "exceeds the 4,060 bytes"},
      {"bad date", {{"t", {DateCol("d")}, {{"2011-02-29"}}}}, "not a date"},
      {"byte-order mark first", {{"t", {TextCol("a")}, {{"\xEF\xBB\xBFx"}}}}, "U+FEFF"},
      {"invalid UTF-8", {{"t", {TextCol("a")}, {{"\xC3("}}}}, "invalid UTF-8"},
      {"surrogate in UTF-8", {{"t", {TextCol("a")}, {{"\xED\xA0\x80"}}}}, "invalid UTF-8"},
      {"overlong UTF-8", {{"t", {TextCol("a")}, {{"\xC0\xAF"}}}}, "invalid UTF-8"},
      {"too few values", {{"t", {TextCol("a"), TextCol("b")}, {{"1"}}}}, "1 values for 2 columns"},
      {"table twice", {{"t", {TextCol("a")}, {}}, {"T", {TextCol("a")}, {}}}, "given twice"},
      {"a user MSysObjects", {{"msysobjects", {TextCol("a")}, {}}}, "given twice"},
      {"column twice", {{"t", {TextCol("a"), TextCol("A")}, {}}}, "given twice"},
      {"no columns", {{"t", {}, {}}}, "no columns"},
      {"empty name", {{"", {TextCol("a")}, {}}}, "1 to 64 characters"},
      {"dot in a name", {{"t", {TextCol("a.b")}, {}}}, "does not allow"},
      {"Text(0)", {{"t", {TextCol("a", 0)}, {}}}, "1..255"},
  };
  for (const Refusal& c : cases) {
    try {
      WriteDatabase(c.tables);
      ADD_FAILURE() << "written: " << c.why;
    } catch (const WriteError& e) {
      EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.why << ": " << e.what();
    }
  }
}

// mdbtools' command-line tools, a reader written independently of ours.
TEST(WrittenFilesInMdbtools, TablesAndValuesAsExported) {
  Table t{"shouji", {TextCol("num", 10), TextCol("title", 100), DateCol("d"), MemoCol("content")}, {}};
  t.rows = {{"0", "大展鸿图，信用得固", "2012-02-29", "描述，含\"引号\""},
            {"21", "Plain ASCII", "2011-03-05 06:30:00", std::string(20000, 'z')},
            {"22", "扩展", std::nullopt, std::nullopt}};
  const std::string path = Save("export.dll", WriteDatabase({t, {"empty", {TextCol("x")}, {}}}));
  int status = -1;
  EXPECT_EQ(Shell("mdb-tables -1 '" + path + "'", &status), "shouji\nempty\n");
  EXPECT_EQ(status, 0);
  const std::string csv = Shell("mdb-export -0 NULL -T '%Y-%m-%d %H:%M:%S' '" + path + "' shouji", &status);
  EXPECT_EQ(status, 0);
  const std::string expected = "num,title,d,content\n"
                               "\"0\",\"大展鸿图，信用得固\",\"2012-02-29 00:00:00\",\"描述，含\"\"引号\"\"\"\n"
                               "\"21\",\"Plain ASCII\",\"2011-03-05 06:30:00\",\"" +
                               std::string(20000, 'z') + "\"\n\"22\",\"扩展\",NULL,NULL\n";
  EXPECT_EQ(csv, expected);
  EXPECT_EQ(Shell("mdb-count '" + path + "' shouji"), "3\n");
}

TEST(JetwriteCommand, WritesTheLibraryBytesAndFailsCleanly) {
  const auto tsv = TempDir() / "in.tsv";
  std::ofstream(tsv) << "k:Text(10)\tv:Memo\na\t值\n";
  const std::string out = (TempDir() / "out.dll").string();
  int status = -1;
  Shell(std::string(JETWRITE_CLI) + " '" + out + "' t='" + tsv.string() + "' 2>&1", &status);
  EXPECT_EQ(status, 0);
  std::ifstream f(out, std::ios::binary);
  const Bytes written((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  EXPECT_EQ(written, WriteDatabase({ParseTsv("t", ReadMaybeGzipped(tsv.string()), "in.tsv")}));

  std::ofstream(tsv) << "k:Text(1)\nab\n";
  const std::string bad = (TempDir() / "bad.dll").string();
  const std::string message = Shell(std::string(JETWRITE_CLI) + " '" + bad + "' t='" + tsv.string() + "' 2>&1", &status);
  EXPECT_EQ(status, 1);
  EXPECT_NE(message.find("exceed Text(1)"), std::string::npos) << message;
  EXPECT_FALSE(std::filesystem::exists(bad));
  EXPECT_FALSE(std::filesystem::exists(bad + ".tmp"));
  Shell(std::string(JETWRITE_CLI) + " '" + bad + "' nofile 2>&1", &status);
  EXPECT_EQ(status, 1);
}

}  // namespace
}  // namespace jetwrite
