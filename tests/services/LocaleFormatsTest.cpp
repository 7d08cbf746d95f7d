#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include <unistd.h>
#ifndef _WIN32
#include <pwd.h>
#endif

#include "services/LocaleFormats.h"
#include "services/LocaleStore.h"
#include "tests/support/TestFiles.h"

using namespace tongshu;

namespace {

const std::string kLongDate = "yyyy'\xC4\xEA'M'\xD4\xC2'd'\xC8\xD5'";

// Behaves like the Windows calls: a value that does not fit fails the read.
struct FakeStore : LocaleStore {
  std::map<LCTYPE, std::string> values;
  std::vector<std::pair<LCTYPE, std::string>> writes;
  std::vector<int> sizesAsked;
  LCTYPE throwOnRead = 0;

  int GetLocaleInfoA(LCID locale, LCTYPE type, char* buf, int size) override {
    EXPECT_EQ(locale, kLocaleSystemDefault);
    sizesAsked.push_back(size);
    if (type == throwOnRead) throw std::runtime_error("locale service failed");
    const auto it = values.find(type);
    if (it == values.end() || it->second.size() + 1 > static_cast<std::size_t>(size)) return 0;
    std::memcpy(buf, it->second.c_str(), it->second.size() + 1);
    return static_cast<int>(it->second.size() + 1);
  }
  bool SetLocaleInfoA(LCID locale, LCTYPE type, const char* value) override {
    EXPECT_EQ(locale, kLocaleSystemDefault);
    writes.emplace_back(type, value);
    values[type] = value;
    return true;
  }
};

FakeStore AllTargets() {
  FakeStore s;
  for (const auto& t : kLocaleTargets) s.values[t.type] = std::string(t.value);
  return s;
}

}  // namespace

TEST(LocaleFormats, TargetsAreTheFixedGbkTexts) {
  EXPECT_EQ(kLocaleTargets[0].value, kLongDate);
  EXPECT_EQ(kLocaleTargets[0].value.size(), 18u);
  const std::vector<std::pair<LCTYPE, std::string>> expected{
      {0x20, kLongDate}, {0x1F, "yyyy-MM-dd"}, {0x1003, "H:mm:ss"}, {0x1D, "-"}, {0x1E, ":"}};
  FakeStore empty;
  NormalizeLocaleFormats(empty);
  EXPECT_EQ(empty.writes, expected);
  EXPECT_EQ(empty.sizesAsked, std::vector<int>(5, 24));
}

TEST(LocaleFormats, WritesOnlyWhatDiffersAfterTrimming) {
  struct Case {
    const char* name;
    LCTYPE type;
    std::string current;
    bool rewritten;
  };
  const Case cases[] = {
      {"equal", kLocaleSShortDate, "yyyy-MM-dd", false},
      {"blanks around", kLocaleSShortDate, " yyyy-MM-dd ", false},
      {"tab and control characters around", kLocaleSShortDate, "\t\x01yyyy-MM-dd\r", false},
      {"case differs", kLocaleSShortDate, "YYYY-MM-DD", true},
      {"blank inside", kLocaleSShortDate, "yyyy- MM-dd", true},
      {"other separator", kLocaleSDate, "/", true},
      {"23 bytes fit the buffer", kLocaleSLongDate, std::string(23, 'y'), true},
      {"24 bytes do not fit", kLocaleSLongDate, kLongDate + "      ", true},
      {"padded target that no longer fits", kLocaleSLongDate, "   " + kLongDate + "   ", true},
      {"padded target that fits", kLocaleSLongDate, "  " + kLongDate + "   ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FakeStore s = AllTargets();
    s.values[c.type] = c.current;
    NormalizeLocaleFormats(s);
    if (c.rewritten) {
      ASSERT_EQ(s.writes.size(), 1u);
      EXPECT_EQ(s.writes[0].first, c.type);
    } else {
      EXPECT_TRUE(s.writes.empty());
    }
  }
}

TEST(LocaleFormats, FailedReadAfterAMatchingRowStillWrites) {
  // A read that fails must not compare the previous row's text: the time
  // separator equal to ":" in the date-separator row would otherwise hide it.
  FakeStore s = AllTargets();
  s.values[kLocaleSDate] = ":";
  s.values.erase(kLocaleSTime);
  NormalizeLocaleFormats(s);
  ASSERT_EQ(s.writes.size(), 2u);
  EXPECT_EQ(s.writes[0], (std::pair<LCTYPE, std::string>{kLocaleSDate, "-"}));
  EXPECT_EQ(s.writes[1], (std::pair<LCTYPE, std::string>{kLocaleSTime, ":"}));
}

TEST(LocaleFormats, ExceptionEndsTheStepSilentlyAndKeepsEarlierWrites) {
  FakeStore s;
  s.throwOnRead = kLocaleSTimeFormat;
  EXPECT_THROW(NormalizeLocaleFormats(s), std::runtime_error);
  FakeStore t;
  t.throwOnRead = kLocaleSTimeFormat;
  EXPECT_NO_THROW(NormalizeLocaleFormatsGuarded(t));
  ASSERT_EQ(t.writes.size(), 2u);
  EXPECT_EQ(t.writes[1].first, kLocaleSShortDate);
}

class FileLocaleStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("tongshu-locale-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    file_ = dir_ / "sub" / "locale.conf";
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::filesystem::path dir_, file_;
};

// Counts writes that reach the file store.
struct CountingStore : LocaleStore {
  explicit CountingStore(LocaleStore& inner) : inner(inner) {}
  LocaleStore& inner;
  int writes = 0;
  int GetLocaleInfoA(LCID l, LCTYPE t, char* b, int n) override { return inner.GetLocaleInfoA(l, t, b, n); }
  bool SetLocaleInfoA(LCID l, LCTYPE t, const char* v) override {
    ++writes;
    return inner.SetLocaleInfoA(l, t, v);
  }
};

TEST_F(FileLocaleStoreTest, FirstStartWritesAllSecondStartNothing) {
  FileLocaleStore store(file_);
  CountingStore first(store);
  NormalizeLocaleFormats(first);
  EXPECT_EQ(first.writes, 5);
  char buf[24] = {};
  EXPECT_EQ(store.GetLocaleInfoA(kLocaleSystemDefault, kLocaleSLongDate, buf, 24), 19);
  EXPECT_EQ(std::string(buf), kLongDate);

  FileLocaleStore reopened(file_);
  CountingStore second(reopened);
  NormalizeLocaleFormats(second);
  EXPECT_EQ(second.writes, 0);
  EXPECT_FALSE(std::filesystem::exists(file_.string() + ".tmp"));
}

TEST_F(FileLocaleStoreTest, GarbageOrForeignLinesAreSkippedAndKept) {
  std::filesystem::create_directories(file_.parent_path());
  {
    std::ofstream out(file_, std::ios::binary);
    out << "not a setting\n\x01\x02\xff\n1d\t/\n1f\tbad\\escape\n4242\tkept\n";
  }
  FileLocaleStore store(file_);
  NormalizeLocaleFormats(store);
  char buf[24] = {};
  EXPECT_GT(store.GetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, buf, 24), 0);
  EXPECT_STREQ(buf, "-");
  EXPECT_GT(store.GetLocaleInfoA(kLocaleSystemDefault, 0x4242, buf, 24), 0);
  EXPECT_STREQ(buf, "kept");
}

TEST_F(FileLocaleStoreTest, ValuesWithSeparatorsRoundTrip) {
  FileLocaleStore store(file_);
  ASSERT_TRUE(store.SetLocaleInfoA(kLocaleSystemDefault, 7, "a\tb\\c\nd"));
  char buf[24] = {};
  EXPECT_EQ(store.GetLocaleInfoA(kLocaleSystemDefault, 7, buf, 24), 8);
  EXPECT_STREQ(buf, "a\tb\\c\nd");
  EXPECT_EQ(store.GetLocaleInfoA(kLocaleSystemDefault, 7, buf, 4), 0);
}

#ifndef _WIN32  // POSIX permissions; Windows uses the registry store
TEST_F(FileLocaleStoreTest, UnwritableDirectoryFailsEachWriteAndTheStepGoesOn) {
  if (::geteuid() == 0) GTEST_SKIP() << "root ignores directory permissions";
  std::filesystem::create_directories(file_.parent_path());
  std::filesystem::permissions(file_.parent_path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  FileLocaleStore store(file_);
  EXPECT_FALSE(store.SetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, "-"));
  EXPECT_NO_THROW(NormalizeLocaleFormats(store));
}
#endif

TEST_F(FileLocaleStoreTest, PathInTheWayFailsWritesWithoutThrowing) {
  // A plain file where the directory should be: works even as root.
  std::filesystem::create_directories(dir_);
  { std::ofstream(dir_ / "sub") << "x"; }
  FileLocaleStore store(file_);
  EXPECT_FALSE(store.SetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, "-"));
  EXPECT_NO_THROW(NormalizeLocaleFormats(store));
  char buf[24];
  EXPECT_EQ(store.GetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, buf, 24), 0);
}

#ifndef _WIN32  // POSIX permissions and links; Windows uses the registry store
TEST_F(FileLocaleStoreTest, ReadOnlyFileIsAFailedWriteAndStaysAsItWas) {
  namespace fs = std::filesystem;
  fs::create_directories(file_.parent_path());
  { std::ofstream(file_) << "1d\t/\n"; }
  fs::permissions(file_, fs::perms::owner_read);
  EXPECT_FALSE(FileLocaleStore(file_).SetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, "-"));
  EXPECT_EQ(tongshu::testing::ReadWholeFile(file_), "1d\t/\n");
  EXPECT_EQ(fs::status(file_).permissions(), fs::perms::owner_read);
}

// A settings file kept elsewhere and linked in stays there, link and
// permissions as they were.
TEST_F(FileLocaleStoreTest, SymbolicLinkIsWrittenThrough) {
  namespace fs = std::filesystem;
  const fs::path real = dir_ / "elsewhere" / "locale.conf";
  fs::create_directories(real.parent_path());
  fs::create_directories(file_.parent_path());
  { std::ofstream(real) << "1d\t/\n"; }
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(fs::path("..") / "elsewhere" / "locale.conf", file_);
  EXPECT_TRUE(FileLocaleStore(file_).SetLocaleInfoA(kLocaleSystemDefault, kLocaleSDate, "-"));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(file_)));
  EXPECT_EQ(tongshu::testing::ReadWholeFile(real), "1d\t-\n");
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
}
#endif

#ifndef _WIN32  // the XDG rules are the Linux stand-in's
TEST(FileLocaleStorePath, WithoutXdgOrHomeThePasswordEntryNamesTheFolder) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  const std::string savedXdg = xdg ? xdg : "", savedHome = home ? home : "";
  ::unsetenv("XDG_CONFIG_HOME");
  ::unsetenv("HOME");
  const std::filesystem::path path = FileLocaleStore::DefaultPath();
  if (xdg) ::setenv("XDG_CONFIG_HOME", savedXdg.c_str(), 1);
  if (home) ::setenv("HOME", savedHome.c_str(), 1);

  const passwd* entry = ::getpwuid(::getuid());
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(path, std::filesystem::path(entry->pw_dir) / ".config" / "tongshu" / "locale.conf");
}

TEST(FileLocaleStorePath, FollowsXdgConfigHome) {
  const char* old = std::getenv("XDG_CONFIG_HOME");
  const std::string saved = old ? old : "";
  ::setenv("XDG_CONFIG_HOME", "/tmp/xdg-test", 1);
  EXPECT_EQ(FileLocaleStore::DefaultPath(), std::filesystem::path("/tmp/xdg-test/tongshu/locale.conf"));
  ::setenv("XDG_CONFIG_HOME", "relative/dir", 1);  // relative values are ignored by the XDG rules
  EXPECT_NE(FileLocaleStore::DefaultPath().string().rfind("relative", 0), 0u);
  if (old) ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1); else ::unsetenv("XDG_CONFIG_HOME");
}
#endif
