// The whole program, started as a process from a copy of its installation
// (the executable with its data files beside it): from a folder nobody may
// write to, and with the per-user locale stand-in file missing, empty,
// garbage, in the way or unwritable. Start-up always goes on to a working
// main window, and the data files come out byte for byte as they went in.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iterator>
#include <map>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/BundledDays.h"
#include "tests/support/TestFiles.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::string;

constexpr uid_t kNobody = 65534;
constexpr const char* kDataFiles[] = {"KorBirth.dll", "dream.dll", "KorFile.dll"};
const std::string kAlmanacLine = std::string("almanac: 2011-03-05  ") + tongshu::testing::kOverview20110305;
const std::string kMobileLine = "mobile: 秋草逢霜，怀才不遇，忧愁怨苦，事不如意|凶";

using tongshu::testing::ReadWholeFile;
using tongshu::testing::WriteWholeFile;

// Every file below a folder with its content, links by their target.
std::map<std::string, Bytes> Snapshot(const fs::path& dir) {
  std::map<std::string, Bytes> files;
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    const std::string rel = fs::relative(e.path(), dir).string();
    if (e.is_symlink()) files[rel] = "-> " + fs::read_symlink(e.path()).string();
    else if (e.is_regular_file()) files[rel] = ReadWholeFile(e.path());
    else files[rel] = "<" + std::to_string(static_cast<int>(e.status().type())) + ">";
  }
  return files;
}

struct Outcome {
  int status = -1;  // exit status, or -1 when it had to be killed
  std::string out;
  bool saw(const std::string& line) const { return ("\n" + out).find("\n" + line + "\n") != std::string::npos; }
};

// Starts the probe with only the environment a desktop session would give
// it (and the sanitizers' settings), optionally as the unprivileged user.
Outcome Start(const fs::path& exe, const std::map<std::string, std::string>& env, bool asNobody) {
  std::vector<std::string> vars = {"PATH=/usr/bin:/bin", "QT_QPA_PLATFORM=offscreen", "LANG=C.UTF-8"};
  for (const char* pass : {"ASAN_OPTIONS", "LSAN_OPTIONS", "UBSAN_OPTIONS"})
    if (const char* v = std::getenv(pass)) vars.push_back(std::string(pass) + "=" + v);
  for (const auto& [k, v] : env) vars.push_back(k + "=" + v);
  std::vector<char*> envp;
  for (std::string& v : vars) envp.push_back(v.data());
  envp.push_back(nullptr);
  std::string path = exe.string();
  char* argv[] = {path.data(), nullptr};

  int pipefd[2];
  if (::pipe2(pipefd, O_CLOEXEC) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(pipefd[1], STDOUT_FILENO);
    if (asNobody && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)) ::_exit(126);
    ::execve(argv[0], argv, envp.data());
    ::_exit(127);
  }
  ::close(pipefd[1]);
  Outcome run;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(90);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) {
      ::kill(pid, SIGKILL);
      break;
    }
    pollfd p{pipefd[0], POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    char buf[4096];
    const ssize_t n = ::read(pipefd[0], buf, sizeof buf);
    if (n <= 0) break;
    run.out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(pipefd[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

Bytes Garbage(std::size_t n) {
  std::mt19937 rng(42);
  Bytes b(n, '\0');
  for (char& c : b) c = static_cast<char>(rng());
  return b;
}

class Installed : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("tongshu-install-" + std::to_string(::getpid()));
    fs::remove_all(root);
    app = root / "app";
    config = root / "config";
    fs::create_directories(app);
    fs::create_directories(config);
    fs::permissions(root, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                              fs::perms::others_read | fs::perms::others_exec);
    exe = app / "tongshu";
    fs::copy_file(TONGSHU_PROBE, exe);
    for (const char* f : kDataFiles) fs::copy_file(fs::path(TONGSHU_DATA_DIR) / f, app / f);
  }
  void TearDown() override {
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(root, ec))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(root, ec);
  }
  fs::path localeFile() const { return config / "tongshu" / "locale.conf"; }
  Outcome start(bool asNobody = false) {
    return Start(exe, {{"XDG_CONFIG_HOME", config.string()}, {"HOME", root.string()}}, asNobody);
  }

  fs::path root, app, config, exe;
};

void ExpectWorkingSession(const Outcome& run) {
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.saw("painted")) << run.out;
  EXPECT_TRUE(run.saw(kAlmanacLine)) << run.out;
  EXPECT_TRUE(run.saw(kMobileLine)) << run.out;
  EXPECT_TRUE(run.saw("done")) << run.out;
  EXPECT_EQ(run.out.find("box: "), std::string::npos) << run.out;
}

// The five settings as start-up writes them (the long date in GBK).
const std::vector<std::string> kTargetLines = {
    "20\tyyyy'\xC4\xEA'M'\xD4\xC2'd'\xC8\xD5'", "1f\tyyyy-MM-dd", "1003\tH:mm:ss", "1d\t-", "1e\t:"};

bool HoldsTheTargets(const Bytes& file) {
  for (const std::string& line : kTargetLines)
    if (("\n" + file).find("\n" + line + "\n") == std::string::npos) return false;
  return true;
}

TEST_F(Installed, RunsFromAFolderNobodyMayWriteAndLeavesItAsItWas) {
  const bool asRoot = ::geteuid() == 0;
  // Read-only for everyone; root ignores that, so root runs it as nobody.
  for (const auto& e : fs::directory_iterator(app))
    fs::permissions(e.path(), e.path() == exe ? fs::perms::owner_exec | fs::perms::owner_read | fs::perms::group_read |
                                                    fs::perms::group_exec | fs::perms::others_read |
                                                    fs::perms::others_exec
                                              : fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(app, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read | fs::perms::group_exec |
                           fs::perms::others_read | fs::perms::others_exec);
  // Nor may it write its settings.
  fs::permissions(config, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                              fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
  const auto before = Snapshot(app);

  const Outcome run = start(asRoot);
  ExpectWorkingSession(run);
  EXPECT_EQ(Snapshot(app), before);
  EXPECT_FALSE(fs::exists(localeFile()));
}

// The real error report and the real silence: a damaged almanac file shows
// one message box with the reader's text, a missing mobile file nothing.
TEST_F(Installed, DamagedAlmanacFileShowsTheErrorBoxAndAMissingMobileFileNothing) {
  WriteWholeFile(app / "KorBirth.dll", Garbage(fs::file_size(app / "KorBirth.dll")));
  fs::remove(app / "dream.dll");
  const Outcome run = start();
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_TRUE(run.saw("box: 不是 Access 数据库文件：" + (app / "KorBirth.dll").string())) << run.out;
  EXPECT_TRUE(run.saw("almanac: ")) << run.out;
  EXPECT_TRUE(run.saw("mobile: |")) << run.out;
  EXPECT_TRUE(run.saw("done")) << run.out;
  std::size_t boxes = 0;
  for (std::size_t at = run.out.find("box: "); at != std::string::npos; at = run.out.find("box: ", at + 1)) ++boxes;
  EXPECT_EQ(boxes, 1u) << run.out;
}

struct LocaleCase {
  const char* name;
  std::function<void(const fs::path& file)> prepare;  // the file's folder exists
  bool rewritten;  // the five settings are in the file afterwards
};

std::vector<LocaleCase> LocaleCases() {
  return {
      {"missing", [](const fs::path& f) { fs::remove(f.parent_path()); }, true},
      {"empty", [](const fs::path& f) { WriteWholeFile(f, ""); }, true},
      {"random_bytes", [](const fs::path& f) { WriteWholeFile(f, Garbage(65536)); }, true},
      {"one_line_of_a_megabyte", [](const fs::path& f) { WriteWholeFile(f, "1f\t" + Bytes(1 << 20, 'y')); }, true},
      {"zero_bytes_and_bad_escapes",
       [](const fs::path& f) {
         static constexpr char kText[] = "1f\tyyyy\0-MM\n20\t\\q\\\n1d\t\\";
         WriteWholeFile(f, Bytes(kText, sizeof kText - 1));
       },
       true},
      {"targets_in_other_case", [](const fs::path& f) { WriteWholeFile(f, "1f\tYYYY-MM-DD\n1003\th:MM:SS\n"); }, true},
      {"a_directory_in_the_way", [](const fs::path& f) { fs::create_directory(f); }, false},
      // Written through, which fails in a folder that does not exist; the link stays.
      {"a_dangling_link", [](const fs::path& f) { fs::create_symlink("/nonexistent/locale.conf", f); }, false},
  };
}

class LocaleFile : public Installed, public ::testing::WithParamInterface<LocaleCase> {};

TEST_P(LocaleFile, StartUpGoesOn) {
  fs::create_directories(localeFile().parent_path());
  GetParam().prepare(localeFile());
  ExpectWorkingSession(start());
  if (GetParam().rewritten) {
    EXPECT_TRUE(HoldsTheTargets(ReadWholeFile(localeFile())));
    // A second start finds them in place.
    ExpectWorkingSession(start());
    EXPECT_TRUE(HoldsTheTargets(ReadWholeFile(localeFile())));
  }
}

INSTANTIATE_TEST_SUITE_P(States, LocaleFile, ::testing::ValuesIn(LocaleCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Opening a FIFO for reading waits for a writer, for ever in practice: the
// store reads only a regular file, and its rewrite replaces the FIFO.
TEST_F(Installed, AFifoInTheWayDoesNotHoldUpStartUp) {
  fs::create_directories(localeFile().parent_path());
  ASSERT_EQ(::mkfifo(localeFile().c_str(), 0644), 0);
  ExpectWorkingSession(start());
  ASSERT_TRUE(fs::is_regular_file(localeFile()));  // else reading it below would block
  EXPECT_TRUE(HoldsTheTargets(ReadWholeFile(localeFile())));
}

TEST_F(Installed, AnUnwritableLocaleFileStaysAsItWas) {
  fs::create_directories(localeFile().parent_path());
  const Bytes garbage = Garbage(4096);
  WriteWholeFile(localeFile(), garbage);
  fs::permissions(localeFile(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  fs::permissions(localeFile().parent_path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                                  fs::perms::group_exec | fs::perms::others_read |
                                                  fs::perms::others_exec);
  ExpectWorkingSession(start(::geteuid() == 0));
  EXPECT_EQ(ReadWholeFile(localeFile()), garbage);
  EXPECT_EQ(std::distance(fs::directory_iterator(localeFile().parent_path()), fs::directory_iterator()), 1);
}

}  // namespace
