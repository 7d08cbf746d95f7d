// The data files as the windows find them: by their connection strings, read
// by the production reader, which stays alive across the changes as in the
// running program. The strings are pointed at a scratch folder holding good
// copies; each case damages one copy, and putting the good copy back makes
// the window work again. The almanac's good copy is a small file of the
// bundled table's own rows for the days looked up here, so that a case
// handles kilobytes, not the 19 MB of the bundled KorBirth.dll, which one case
// damages as well; dream.dll is the bundled file. The bundled files
// themselves are only read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>

#include "almanac/TFormHuangdao.h"
#include "db/MdbDatabase.h"
#include "numerology/TFrm_SJcs.h"
#include "services/ConnStr.h"
#include "tests/support/BundledDays.h"
#include "tests/support/Fakes.h"
#include "tests/support/TestFiles.h"
#include "tools/jetwrite/JetWriter.h"
#include "tools/jetwrite/Tsv.h"

namespace tongshu::robustness {
namespace {

namespace fs = std::filesystem;
using Bytes = std::string;
using tongshu::testing::FakeServices;

Bytes ReadBundled(const char* name) {
  Bytes bytes = testing::ReadWholeFile(fs::path(TONGSHU_DATA_DIR) / name);
  EXPECT_FALSE(bytes.empty()) << name;
  return bytes;
}

// KorBirth.dll with only the header and the rows of these days, taken from
// the bundled table's source.
Bytes SmallKorBirth(std::initializer_list<const char*> days) {
  const std::string source = jetwrite::ReadMaybeGzipped(TONGSHU_DATA_SOURCE "/huangdao.tsv.gz");
  std::string tsv = source.substr(0, source.find('\n') + 1);
  for (const char* day : days) {
    const std::size_t at = source.find("\n" + std::string(day) + "\t");
    EXPECT_NE(at, std::string::npos) << day;
    if (at != std::string::npos) tsv += source.substr(at + 1, source.find('\n', at + 1) - at);
  }
  const std::vector<std::uint8_t> file =
      jetwrite::WriteDatabase({jetwrite::ParseTsv("huangdao", tsv, "huangdao.tsv.gz")});
  return Bytes(file.begin(), file.end());
}

// The good copies the cases start from.
const Bytes& Good(const std::string& name) {
  static const Bytes birth = SmallKorBirth({"2011-03-05", "2012-02-29"});
  static const Bytes dream = ReadBundled("dream.dll");
  return name == "KorBirth.dll" ? birth : dream;
}

// Replaces the file whole, through a rename, as an installer or a copy would.
void Put(const fs::path& file, const Bytes& bytes) {
  const fs::path tmp = file.string() + ".new";
  testing::WriteWholeFile(tmp, bytes);
  std::error_code ec;
  fs::remove_all(file, ec);  // a directory or a FIFO left by a case
  fs::rename(tmp, file);
}

Bytes RandomBytes(std::size_t n, std::uint32_t seed) {
  std::mt19937 rng(seed);
  Bytes b(n, '\0');
  for (char& c : b) c = static_cast<char>(rng());
  return b;
}

struct Damage {
  const char* name;
  // Leaves the damaged file at `file`; `good` is its bundled content.
  std::function<void(const fs::path& file, const Bytes& good)> apply;
};

std::vector<Damage> Damages() {
  return {
      {"missing", [](const fs::path& f, const Bytes&) { fs::remove(f); }},
      {"empty", [](const fs::path& f, const Bytes&) { Put(f, {}); }},
      {"first_page_only", [](const fs::path& f, const Bytes& g) { Put(f, Bytes(g.begin(), g.begin() + 4096)); }},
      {"cut_in_half", [](const fs::path& f, const Bytes& g) { Put(f, Bytes(g.begin(), g.begin() + g.size() / 2)); }},
      {"one_byte_short", [](const fs::path& f, const Bytes& g) { Put(f, Bytes(g.begin(), g.end() - 1)); }},
      {"random_bytes", [](const fs::path& f, const Bytes& g) { Put(f, RandomBytes(g.size(), 1)); }},
      {"random_after_the_header",
       [](const fs::path& f, const Bytes& g) {
         Bytes b = RandomBytes(g.size(), 2);
         std::copy(g.begin(), g.begin() + 4096, b.begin());
         Put(f, b);
       }},
      {"all_zeros", [](const fs::path& f, const Bytes& g) { Put(f, Bytes(g.size(), 0)); }},
      {"other_data_file",
       [](const fs::path& f, const Bytes& g) { Put(f, &g == &Good("dream.dll") ? Good("KorBirth.dll") : Good("dream.dll")); }},
      {"a_directory", [](const fs::path& f, const Bytes&) { fs::remove(f); fs::create_directory(f); }},
      // Opening a FIFO for reading would wait for a writer for ever.
      {"a_fifo", [](const fs::path& f, const Bytes&) { fs::remove(f); ASSERT_EQ(::mkfifo(f.c_str(), 0644), 0); }},
      {"dangling_link", [](const fs::path& f, const Bytes&) { fs::remove(f); fs::create_symlink("nowhere.dll", f); }},
      {"link_to_itself", [](const fs::path& f, const Bytes&) { fs::remove(f); fs::create_symlink(f.filename(), f); }},
  };
}

// Points the windows' connection strings at the scratch folder instead of
// the executable's own, after checking that they are the builders' strings.
struct RedirectedDatabase final : db::Database {
  std::string dir;  // with its trailing separator
  db::MdbDatabase reader;
  int statements = 0;
  std::optional<db::Record> firstRow(const std::string& conn, const std::string& sql) override {
    ++statements;
    const std::string own = std::string(kConnPrefix) + ExecutableDir();
    EXPECT_EQ(conn.rfind(own, 0), 0u) << conn;
    return reader.firstRow(std::string(kConnPrefix) + dir + conn.substr(own.size()), sql);
  }
};

class DataFile : public ::testing::TestWithParam<Damage> {
 protected:
  void SetUp() override {
    scratch = testing::ScratchDir("tongshu-robustness");
    database.dir = scratch.string() + "/";
    Put(scratch / "KorBirth.dll", Good("KorBirth.dll"));
    Put(scratch / "dream.dll", Good("dream.dll"));
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(scratch, ec);
  }

  FakeServices fake;
  RedirectedDatabase database;
  Services services{fake.messages, fake.links, fake.clock, fake.presenter, database};
  fs::path scratch;
};

std::string CaseName(const ::testing::TestParamInfo<Damage>& info) { return info.param.name; }

class AlmanacDataFile : public DataFile {
 protected:
  void lookup(TFormHuangdao* w, const char* y, const char* m, const char* d) {
    w->SYear->setEditText(QString::fromLatin1(y));
    w->SMonth->setEditText(QString::fromLatin1(m));
    w->Sday->setEditText(QString::fromLatin1(d));
    QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  }
  // Looks a day up, damages the file, looks up another, puts `good` back.
  void damageAndRecover(const Damage& damage, const Bytes& good) {
    const QString day20110305 = QStringLiteral("2011-03-05  ") + QString::fromUtf8(testing::kOverview20110305);
    OpenFormHuangdao(services, nullptr);
    TFormHuangdao* w = FormHuangdao.data();
    ASSERT_NE(w, nullptr);
    lookup(w, "2011", "03", "05");
    ASSERT_EQ(w->Label1->text(), day20110305);
    const QString memo = w->Memo1->toPlainText();
    ASSERT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();

    const fs::path file = scratch / "KorBirth.dll";
    damage.apply(file, good);
    lookup(w, "2012", "2", "29");
    ASSERT_EQ(fake.messages.errors.size(), 1);
    EXPECT_TRUE(fake.messages.errors[0].contains(QString::fromStdString(file.string())))
        << fake.messages.errors[0].toStdString();
    EXPECT_TRUE(fake.messages.infos.isEmpty());
    EXPECT_EQ(w->Label1->text(), day20110305);
    EXPECT_EQ(w->Memo1->toPlainText(), memo);
    EXPECT_TRUE(w->isVisible());

    // The same damage a second time is reported again, not remembered as good.
    lookup(w, "2012", "2", "29");
    EXPECT_EQ(fake.messages.errors.size(), 2);

    Put(file, good);
    lookup(w, "2012", "2", "29");
    EXPECT_EQ(fake.messages.errors.size(), 2) << fake.messages.errors.join(u' ').toStdString();
    EXPECT_EQ(w->Label1->text(), QStringLiteral("2012-2-29  ") + QString::fromUtf8(testing::kOverview20120229));
    delete w;
  }
};

TEST_P(AlmanacDataFile, DamagedFileGoesToTheErrorReportAndTheWindowRecovers) {
  damageAndRecover(GetParam(), Good("KorBirth.dll"));
}

// One case on the bundled file itself, whose table spans thousands of pages.
TEST_F(AlmanacDataFile, TheBundledFileCutInHalfGoesToTheErrorReportAndTheWindowRecovers) {
  const Bytes bundled = ReadBundled("KorBirth.dll");
  Put(scratch / "KorBirth.dll", bundled);
  const auto damages = Damages();
  const auto cut = std::find_if(damages.begin(), damages.end(),
                                [](const Damage& d) { return std::string(d.name) == "cut_in_half"; });
  ASSERT_NE(cut, damages.end());
  damageAndRecover(*cut, bundled);
}

INSTANTIATE_TEST_SUITE_P(KorBirth, AlmanacDataFile, ::testing::ValuesIn(Damages()), CaseName);

class MobileDataFile : public DataFile {
 protected:
  void analyse(TFrm_SJcs* w, const char* number) {
    w->edtmun->clear();
    QTest::keyClicks(w->edtmun, QString::fromLatin1(number));
    QTest::keyClick(w->edtmun, Qt::Key_Return);
  }
  static QStringList labels(TFrm_SJcs* w) {
    return {w->RzLabel11->text(), w->RzLabel10->text(), w->RzLabel9->text(), w->RzLabel8->text()};
  }
};

TEST_P(MobileDataFile, DamagedFileIsSilentAndTheWindowRecovers) {
  OpenFrm_SJcs(services, nullptr);
  TFrm_SJcs* w = Frm_SJcs.data();
  ASSERT_NE(w, nullptr);
  analyse(w, "12345678901");
  const QStringList before = labels(w);
  ASSERT_EQ(before[1], QStringLiteral("秋草逢霜，怀才不遇，忧愁怨苦，事不如意"));

  GetParam().apply(scratch / "dream.dll", Good("dream.dll"));
  for (const char* number : {"10000009999", "10000008000"}) {
    const int statements = database.statements;
    analyse(w, number);
    EXPECT_EQ(database.statements, statements + 1);  // the query ran and failed
    EXPECT_EQ(labels(w), before) << number;
  }
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.messages.errors.isEmpty()) << fake.messages.errors.join(u' ').toStdString();

  Put(scratch / "dream.dll", Good("dream.dll"));
  analyse(w, "10000009999");
  EXPECT_EQ(w->RzLabel10->text(), QStringLiteral("得而复失，枉费心机，守成无贪，可保安稳"));
  EXPECT_EQ(w->RzLabel9->text(), QStringLiteral("吉带凶"));
  delete Frm_SJcs.data();
}

INSTANTIATE_TEST_SUITE_P(Dream, MobileDataFile, ::testing::ValuesIn(Damages()), CaseName);

// A file nobody may read: root reads it anyway, so this runs only as a user.
TEST_F(DataFile, UnreadableFilesReportForTheAlmanacAndStaySilentForTheMobileWindow) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads files without read permission";
  fs::permissions(scratch / "KorBirth.dll", fs::perms::none);
  fs::permissions(scratch / "dream.dll", fs::perms::none);
  OpenFormHuangdao(services, nullptr);
  TFormHuangdao* almanac = FormHuangdao.data();
  almanac->SYear->setEditText(QStringLiteral("2011"));
  almanac->SMonth->setEditText(QStringLiteral("03"));
  almanac->Sday->setEditText(QStringLiteral("05"));
  almanac->RzBitBtn1Click();
  EXPECT_EQ(fake.messages.errors.size(), 1);
  EXPECT_TRUE(almanac->Label1->text().isEmpty());
  delete almanac;

  OpenFrm_SJcs(services, nullptr);
  Frm_SJcs->edtmun->setText(QStringLiteral("12345678901"));
  Frm_SJcs->RzBitBtn1Click();
  EXPECT_EQ(fake.messages.errors.size(), 1);
  EXPECT_TRUE(Frm_SJcs->RzLabel10->text().isEmpty());
  delete Frm_SJcs.data();
}

}  // namespace
}  // namespace tongshu::robustness
