#include "ConnStr.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tongshu {

std::string ExecutableDir() {
#ifdef _WIN32
  wchar_t buf[32768];
  const DWORD n = GetModuleFileNameW(nullptr, buf, static_cast<DWORD>(std::size(buf)));
  const std::filesystem::path exe(std::wstring(buf, n));
#else
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return {};
#endif
  const std::u8string dir = exe.parent_path().u8string();
  std::string out(dir.begin(), dir.end());
  const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  if (out.empty() || out.back() != sep) out.push_back(sep);
  return out;
}

std::string BuildConnStr(std::string_view exeDir, std::string_view tail) {
  std::string s;
  s.reserve(kConnPrefix.size() + exeDir.size() + tail.size());
  s.append(kConnPrefix).append(exeDir).append(tail);
  return s;
}

std::string DreamConnStr() { return BuildConnStr(ExecutableDir(), kDreamTail); }
std::string FileConnStr() { return BuildConnStr(ExecutableDir(), kFileTail); }
std::string BirthConnStr() { return BuildConnStr(ExecutableDir(), kBirthTail); }

}  // namespace tongshu
