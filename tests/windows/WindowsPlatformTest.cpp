// The Windows platform layers against a real Windows (Wine's): the locale
// step against the registry, and links through the shell.
#include <gtest/gtest.h>
#include <windows.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "services/ConnStr.h"
#include "services/LinkLauncherCore.h"
#include "services/LocaleFormats.h"
#include "shell/Contacts.h"
#include "text/Cp936.h"
#include "text/WideText.h"

namespace tongshu {
namespace {

namespace fs = std::filesystem;

fs::path Beside(const char* exe) {
  const std::string dir = ExecutableDir();
  return fs::path(std::u8string(dir.begin(), dir.end())) / exe;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(WindowsUnderTest, IsWineWithTheChineseCodePage) {
  // The checks below mean something only on the Windows they were made for.
  EXPECT_NE(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"), nullptr);
  EXPECT_EQ(GetACP(), 936u);
}

// ---- the locale step ------------------------------------------------------

class Registry {
 public:
  Registry(HKEY root, const wchar_t* path) {
    EXPECT_EQ(RegCreateKeyExW(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr), ERROR_SUCCESS);
  }
  ~Registry() { RegCloseKey(key_); }
  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  std::wstring get(const wchar_t* name) const {
    wchar_t buf[256] = {};
    DWORD size = sizeof buf;
    const LSTATUS rc = RegGetValueW(key_, nullptr, name, RRF_RT_REG_SZ, nullptr, buf, &size);
    EXPECT_EQ(rc, ERROR_SUCCESS);
    return buf;
  }
  void set(const wchar_t* name, const std::wstring& value) {
    ASSERT_EQ(RegSetValueExW(key_, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
  }
  // When anything in the key was last written.
  ULONGLONG lastWrite() const {
    FILETIME t{};
    EXPECT_EQ(RegQueryInfoKeyW(key_, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, &t),
              ERROR_SUCCESS);
    return static_cast<ULONGLONG>(t.dwHighDateTime) << 32 | t.dwLowDateTime;
  }

 private:
  HKEY key_ = nullptr;
};

// The registry values behind the five settings, in the targets' order.
constexpr const wchar_t* kValueNames[] = {L"sLongDate", L"sShortDate", L"sTimeFormat", L"sDate", L"sTime"};

std::wstring TargetText(std::size_t i) { return WideFromUtf8(cp936::ToUtf8(kLocaleTargets[i].value)); }

struct ProbeRun {
  std::string writes = "(no output)";  // the LCTYPEs written, in hex
  std::vector<std::string> readBack;   // "<lctype> <hex bytes>" per setting
};

// Runs the start-up step in a process of its own, as a start of the program does.
ProbeRun RunProbe() {
  const fs::path out = fs::temp_directory_path() / ("tongshu-locale-probe-" + std::to_string(GetCurrentProcessId()));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  const HANDLE file =
      CreateFileW(out.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(file, INVALID_HANDLE_VALUE);
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = file;
  si.hStdError = file;
  PROCESS_INFORMATION pi{};
  std::wstring command = L"\"" + Beside("tongshu_locale_probe.exe").wstring() + L"\"";
  const BOOL started = CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(file);
  ProbeRun run;
  EXPECT_TRUE(started) << GetLastError();
  if (!started) return run;
  EXPECT_EQ(WaitForSingleObject(pi.hProcess, 60000), WAIT_OBJECT_0);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  std::istringstream lines(ReadAll(out));
  fs::remove(out);
  std::string line;
  if (std::getline(lines, line)) run.writes = line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();  // the C runtime's text mode
    run.readBack.push_back(line);
  }
  if (!run.writes.empty() && run.writes.back() == '\r') run.writes.pop_back();
  return run;
}

std::string HexLine(std::size_t i) {
  std::ostringstream s;
  s << std::hex << kLocaleTargets[i].type;
  for (const char c : kLocaleTargets[i].value) {
    s << ' ';
    s.width(2);
    s.fill('0');
    s << static_cast<unsigned>(static_cast<unsigned char>(c));
  }
  return s.str();
}

// The settings of the user, restored after each case.
class LocaleRegistry : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : kValueNames) saved_.push_back(intl.get(name));
  }
  void TearDown() override {
    for (std::size_t i = 0; i < saved_.size(); ++i) intl.set(kValueNames[i], saved_[i]);
  }
  Registry intl{HKEY_CURRENT_USER, L"Control Panel\\International"};

 private:
  std::vector<std::wstring> saved_;
};

// Windows sets the date and time separators itself when it is given the
// formats they come from, so from a fresh Chinese Windows' settings the step
// writes three settings and then reads the two separators as their targets.
// (Wine also reads the separators from the formats, whatever sDate and sTime
// hold, so a separator alone that is wrong cannot be staged here.)
TEST_F(LocaleRegistry, FiveMismatchingSettingsEndAsTheTargetsAndASecondStartWritesNothing) {
  const std::wstring before[] = {L"yyyy'年'M'月'd'日'dddd", L"yyyy/M/d", L"HH:mm:ss", L"/", L"."};
  for (std::size_t i = 0; i < 5; ++i) intl.set(kValueNames[i], before[i]);

  const ProbeRun first = RunProbe();
  EXPECT_EQ(first.writes, "writes 20 1f 1003");
  ASSERT_EQ(first.readBack.size(), 5u);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(intl.get(kValueNames[i]), TargetText(i)) << i;
    EXPECT_EQ(first.readBack[i], HexLine(i));
  }

  const ULONGLONG written = intl.lastWrite();
  const ProbeRun second = RunProbe();
  EXPECT_EQ(second.writes, "writes");
  EXPECT_EQ(intl.lastWrite(), written);
  for (std::size_t i = 0; i < 5; ++i) EXPECT_EQ(intl.get(kValueNames[i]), TargetText(i)) << i;
}

TEST_F(LocaleRegistry, ASettingEqualAfterTrimmingStaysAsItIsAndAnOverlongOneIsWritten) {
  for (std::size_t i = 0; i < 5; ++i) intl.set(kValueNames[i], TargetText(i));
  intl.set(L"sShortDate", L" yyyy-MM-dd ");
  intl.set(L"sLongDate", L"dddd, yyyy'年'M'月'd'日' (农历)");  // more than 24 bytes in code page 936

  const ProbeRun run = RunProbe();
  EXPECT_EQ(run.writes, "writes 20");
  EXPECT_EQ(intl.get(L"sShortDate"), L" yyyy-MM-dd ");
  EXPECT_EQ(intl.get(L"sLongDate"), TargetText(0));
}

// ---- links through the shell ----------------------------------------------

// The log the stand-in writes, waited for line by line.
std::vector<std::string> WaitForLines(const fs::path& log, std::size_t count) {
  std::vector<std::string> lines;
  for (int tries = 0; tries < 300; ++tries) {
    lines.clear();
    std::istringstream in(ReadAll(log));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    if (lines.size() >= count) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  return lines;
}

TEST(ShellLinks, TheExitAddressStartsIexploreOnceAndMailLinksReachTheShell) {
  const fs::path recorder = Beside("tongshu_link_recorder.exe");
  const fs::path log = fs::temp_directory_path() / ("tongshu-links-" + std::to_string(GetCurrentProcessId()) + ".log");
  fs::remove(log);
  ASSERT_TRUE(SetEnvironmentVariableW(L"TONGSHU_LINK_LOG", log.c_str()));
  // The stand-in registered for the prefix: as the browser, where the shell
  // finds IEXPLORE.EXE, and as the mail program. Wine has an iexplore.exe of
  // its own that would take the name first.
  Registry(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\IEXPLORE.EXE")
      .set(L"", recorder.wstring());
  Registry(HKEY_CURRENT_USER, L"Software\\Wine\\DllOverrides").set(L"iexplore.exe", L"native");
  Registry(HKEY_CLASSES_ROOT, L"mailto\\shell\\open\\command").set(L"", L"\"" + recorder.wstring() + L"\" \"%1\"");

  // A window of this process stands in for the main window as the owner.
  const HWND owner = CreateWindowExW(0, L"STATIC", L"吉星通书", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  WindowsShellLinks shell;
  const NativeWindow handle = reinterpret_cast<NativeWindow>(owner);

  shell.startBrowser(handle, contacts::kHomePage);
  ASSERT_EQ(WaitForLines(log, 1).size(), 1u);
  shell.openLink(handle, std::string("mailto:") + contacts::kSupportMail);
  ASSERT_EQ(WaitForLines(log, 2).size(), 2u);
  shell.openLink(handle, "mailto:客服@example.com");  // code page 936 on the way to the shell
  ASSERT_EQ(WaitForLines(log, 3).size(), 3u);
  std::this_thread::sleep_for(std::chrono::seconds(1));  // time for a second start, if there were one

  const std::vector<std::string> expected{contacts::kHomePage, std::string("mailto:") + contacts::kSupportMail,
                                          "mailto:客服@example.com"};
  EXPECT_EQ(WaitForLines(log, 3), expected);
  DestroyWindow(owner);
  fs::remove(log);
}

}  // namespace
}  // namespace tongshu
