#include "db/DataFile.h"

#include <new>
#include <system_error>
#ifdef __linux__
#include <sys/mman.h>
#endif

#include "db/Database.h"
#include "text/AsciiText.h"

#ifdef _WIN32
#include <windows.h>

#include "text/Cp936.h"
#include "text/Utf8.h"
#include "text/WideText.h"
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace tongshu::db {

namespace {
constexpr std::size_t kHugePage = std::size_t{2} << 20;
}  // namespace

void* AllocateFileBuffer(std::size_t bytes) {
  if (bytes < kHugePage) return ::operator new(bytes);
  void* p = ::operator new(bytes, std::align_val_t{kHugePage});
#ifdef __linux__
  ::madvise(p, bytes, MADV_HUGEPAGE);  // a hint: without huge pages it is ordinary memory
#endif
  return p;
}

void FreeFileBuffer(void* p, std::size_t bytes) noexcept {
  if (bytes < kHugePage)
    ::operator delete(p);
  else
    ::operator delete(p, std::align_val_t{kHugePage});
}
namespace {

// Jet 4 limits the whole file to 2 GB.
constexpr std::uint64_t kMaxFileSize = std::uint64_t{1} << 31;

[[noreturn]] void ThrowNotRegular(const std::string& path) {
  throw NotRegularFileError("不是 Access 数据库文件（不是普通文件）：" + path);
}

[[noreturn]] void ThrowTooLarge(const std::string& path) {
  throw DbError("数据库文件已损坏（文件超过 Jet 4 的 2 GB 上限）：" + path);
}

[[noreturn]] void ThrowNotFound(const std::string& path) { throw DbError("数据文件不存在：" + path); }

[[noreturn]] void ThrowUnreadable(const std::string& path, const std::string& reason) {
  throw DbError("无法读取数据文件：" + path + "（" + reason + "）");
}

#ifdef _WIN32

// Paths reach the reader as UTF-8, or as the GBK bytes of a connection string
// that is not UTF-8.
std::wstring WidePath(const std::string& path) {
  return WideFromUtf8(IsValidUtf8(path) ? path : cp936::ToUtf8(path));
}

std::string SystemMessage(DWORD err) {
  wchar_t* text = nullptr;
  const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                 nullptr, err, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message = n > 0 && text ? std::wstring(text, n) : std::wstring();
  if (text) LocalFree(text);
  while (!message.empty() && (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' '))
    message.pop_back();
  return message.empty() ? "Windows 错误 " + std::to_string(err) : Utf8FromWide(message);
}

[[noreturn]] void ThrowFileError(const std::string& path, DWORD err) {
  if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) ThrowNotFound(path);
  ThrowUnreadable(path, SystemMessage(err));
}

struct Handle {
  HANDLE h;
  ~Handle() { CloseHandle(h); }
};

// Other programs may read, replace or delete the file while it is open, as on
// Linux. Directories open too, so that they are refused as not regular.
HANDLE OpenPath(const std::string& path, DWORD access) {
  const HANDLE h = CreateFileW(WidePath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) ThrowFileError(path, GetLastError());
  return h;
}

std::int64_t Nanoseconds(std::int64_t ticks100ns) { return ticks100ns * 100; }

FileStamp StampOfHandle(HANDLE h, const std::string& path, bool& isDirectory) {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!GetFileInformationByHandle(h, &info)) ThrowFileError(path, GetLastError());
  FILE_BASIC_INFO basic{};
  const bool haveBasic = GetFileInformationByHandleEx(h, FileBasicInfo, &basic, sizeof basic) != 0;
  isDirectory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  FileStamp s;
  s.volume = info.dwVolumeSerialNumber;
  s.file = static_cast<std::uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow;
  s.size = static_cast<std::uint64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
  s.modified = Nanoseconds(static_cast<std::int64_t>(static_cast<std::uint64_t>(info.ftLastWriteTime.dwHighDateTime) << 32 |
                                                     info.ftLastWriteTime.dwLowDateTime));
  s.changed = haveBasic ? Nanoseconds(basic.ChangeTime.QuadPart) : 0;
  return s;
}

#else

[[noreturn]] void ThrowFileError(const std::string& path, int err) {
  if (err == ENOENT || err == ENOTDIR) ThrowNotFound(path);
  ThrowUnreadable(path, ErrorText(err));
}

std::int64_t Nanoseconds(const timespec& t) { return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec; }

FileStamp StampOfStat(const struct stat& st) {
  FileStamp s;
  s.volume = static_cast<std::uint64_t>(st.st_dev);
  s.file = static_cast<std::uint64_t>(st.st_ino);
  s.size = static_cast<std::uint64_t>(st.st_size);
  s.modified = Nanoseconds(st.st_mtim);
  s.changed = Nanoseconds(st.st_ctim);
  return s;
}

#endif

}  // namespace

#ifdef _WIN32

FileStamp StampOf(const std::string& path) {
  const Handle file{OpenPath(path, FILE_READ_ATTRIBUTES)};
  if (GetFileType(file.h) != FILE_TYPE_DISK) ThrowNotRegular(path);
  bool isDirectory = false;
  return StampOfHandle(file.h, path, isDirectory);
}

FileBytes ReadWholeFile(const std::string& path, FileStamp& stamp) {
  const Handle file{OpenPath(path, GENERIC_READ)};
  if (GetFileType(file.h) != FILE_TYPE_DISK) ThrowNotRegular(path);
  bool isDirectory = false;
  stamp = StampOfHandle(file.h, path, isDirectory);
  if (isDirectory) ThrowNotRegular(path);
  if (stamp.size > kMaxFileSize) ThrowTooLarge(path);
  FileBytes bytes(static_cast<std::size_t>(stamp.size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD n = 0;
    if (!ReadFile(file.h, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &n, nullptr))
      ThrowFileError(path, GetLastError());
    if (n == 0) break;  // shrank while being read; the checks see a short file
    done += n;
  }
  bytes.resize(done);
  return bytes;
}

#else

FileStamp StampOf(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) ThrowFileError(path, errno);
  return StampOfStat(st);
}

FileBytes ReadWholeFile(const std::string& path, FileStamp& stamp) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowFileError(path, errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) ThrowFileError(path, errno);
  if (!S_ISREG(st.st_mode)) ThrowNotRegular(path);
  if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize) ThrowTooLarge(path);
  stamp = StampOfStat(st);
  FileBytes bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError(path, errno);
    if (n == 0) break;  // shrank while being read; the checks see a short file
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

#endif

}  // namespace tongshu::db
