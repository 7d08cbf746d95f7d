#include "services/ConnStr.h"

#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace tongshu {

std::string ExecutableDir() {
#ifdef _WIN32
  // Grown until the path fits: it may pass MAX_PATH.
  std::wstring buf(MAX_PATH, L'\0');
  DWORD n = 0;
  for (;;) {
    SetLastError(ERROR_SUCCESS);
    n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
    if (n == 0)
      throw DataDirectoryError("找不到程序所在的文件夹（GetModuleFileNameW 错误 " + std::to_string(GetLastError()) + "）");
    if (n < buf.size() || buf.size() >= 32768) break;
    buf.resize(buf.size() * 2);
  }
  const std::filesystem::path exe(buf.substr(0, n));
#else
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) throw DataDirectoryError("找不到程序所在的文件夹（/proc/self/exe：" + ec.message() + "）");
#endif
  const std::u8string dir = exe.parent_path().u8string();
  std::string out(dir.begin(), dir.end());
  if (out.empty()) throw DataDirectoryError("找不到程序所在的文件夹（程序路径没有文件夹）");
  const char sep = static_cast<char>(std::filesystem::path::preferred_separator);
  if (out.back() != sep) out.push_back(sep);
  return out;
}

const DataDirectory& ExecutableDataDirectory() {
  static const ExecutableDirectory directory;
  return directory;
}

std::string BuildConnStr(std::string_view exeDir, std::string_view tail) {
  std::string s;
  s.reserve(kConnPrefix.size() + exeDir.size() + tail.size());
  s.append(kConnPrefix).append(exeDir).append(tail);
  return s;
}

std::string DreamConnStr(const DataDirectory& dir) { return BuildConnStr(dir.path(), kDreamTail); }
std::string FileConnStr(const DataDirectory& dir) { return BuildConnStr(dir.path(), kFileTail); }
std::string BirthConnStr(const DataDirectory& dir) { return BuildConnStr(dir.path(), kBirthTail); }

std::string DreamConnStr() { return DreamConnStr(ExecutableDataDirectory()); }
std::string FileConnStr() { return FileConnStr(ExecutableDataDirectory()); }
std::string BirthConnStr() { return BirthConnStr(ExecutableDataDirectory()); }

}  // namespace tongshu
