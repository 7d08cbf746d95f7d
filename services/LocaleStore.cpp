#include "services/LocaleStore.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "services/UserHome.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace tongshu {
namespace {

// One setting a line: the LCTYPE in hex, a tab, the value's bytes with
// backslash, tab, CR and LF escaped. Values are GBK bytes, kept as they are.
std::string escape(const std::string& v) {
  std::string out;
  for (const char c : v) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

bool unescape(const std::string& in, std::string& out) {
  out.clear();
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out += in[i];
      continue;
    }
    if (++i == in.size()) return false;
    switch (in[i]) {
      case '\\': out += '\\'; break;
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      default: return false;
    }
  }
  return true;
}

namespace fs = std::filesystem;


// The file a write lands in: a symbolic link is followed, so that a settings
// file kept elsewhere stays where its owner put it. Nothing for a loop.
std::optional<fs::path> WriteTarget(fs::path file) {
  for (int hops = 0; hops <= 40; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(file, ec))) return file;
    const fs::path next = fs::read_symlink(file, ec);
    if (ec) return std::nullopt;
    file = next.is_absolute() ? next : file.parent_path() / next;
  }
  return std::nullopt;
}

// A file nobody may write (root's own check would pass it) or this user may
// not: the rename would replace it with a writable one.
bool ReadOnly(const fs::path& file, const fs::file_status& status) {
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((status.permissions() & kWrite) == fs::perms::none) return true;
#ifdef _WIN32
  (void)file;  // the read-only attribute is all there is
#else
  if (::access(file.c_str(), W_OK) != 0) return true;
#endif
  return false;
}

}  // namespace

FileLocaleStore::FileLocaleStore(std::filesystem::path file) : file_(std::move(file)) {}

std::filesystem::path FileLocaleStore::DefaultPath() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    base = std::filesystem::path(home) / ".config";
  } else if (const std::string passwordHome = PasswordHome(); !passwordHome.empty()) {
    base = fs::path(passwordHome) / ".config";
  } else {
    return {};  // no folder of this user's own, and a shared one is no place for it
  }
  return base / "tongshu" / "locale.conf";
}

std::map<LCTYPE, std::string> FileLocaleStore::load() const {
  std::map<LCTYPE, std::string> values;
  // Anything but a regular file (a FIFO would block start-up) reads as empty.
  std::error_code ec;
  if (!std::filesystem::is_regular_file(file_, ec)) return values;
  std::ifstream in(file_, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    const auto tab = line.find('\t');
    if (tab == std::string::npos || tab == 0 || tab > 8) continue;
    char* end = nullptr;
    const std::string key = line.substr(0, tab);
    const unsigned long type = std::strtoul(key.c_str(), &end, 16);
    if (end != key.c_str() + key.size()) continue;
    std::string value;
    if (!unescape(line.substr(tab + 1), value)) continue;
    if (value.find('\0') != std::string::npos) continue;
    values[static_cast<LCTYPE>(type)] = std::move(value);
  }
  return values;
}

bool FileLocaleStore::save(const std::map<LCTYPE, std::string>& values) const {
  if (file_.empty()) return false;
  std::error_code ec;
  // Only the program's own folder is made; a link's target folder must exist.
  fs::create_directories(file_.parent_path(), ec);
  const std::optional<fs::path> target = WriteTarget(file_);
  if (!target) return false;
  const fs::file_status status = fs::status(*target, ec);
  const bool replacing = fs::is_regular_file(status);
  if (replacing && ReadOnly(*target, status)) return false;
  fs::path tmp = *target;
  tmp += ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const auto& [type, value] : values) {
      std::ostringstream key;
      key << std::hex << type;
      out << key.str() << '\t' << escape(value) << '\n';
    }
    out.flush();
    if (!out) {
      out.close();
      fs::remove(tmp, ec);
      return false;
    }
  }
  // The new file keeps the old one's permissions, not the umask's.
  if (replacing) fs::permissions(tmp, status.permissions(), ec);
  fs::rename(tmp, *target, ec);
  if (ec) {
    fs::remove(tmp, ec);
    return false;
  }
  return true;
}

int FileLocaleStore::GetLocaleInfoA(LCID, LCTYPE type, char* buf, int size) {
  const auto values = load();
  const auto it = values.find(type);
  if (it == values.end() || buf == nullptr || size <= 0) return 0;
  const std::string& v = it->second;
  if (v.size() + 1 > static_cast<std::size_t>(size)) return 0;
  std::memcpy(buf, v.c_str(), v.size() + 1);
  return static_cast<int>(v.size() + 1);
}

bool FileLocaleStore::SetLocaleInfoA(LCID, LCTYPE type, const char* value) {
  if (value == nullptr) return false;
  auto values = load();
  values[type] = value;
  return save(values);
}

#ifdef _WIN32
int WindowsLocaleStore::GetLocaleInfoA(LCID locale, LCTYPE type, char* buf, int size) {
  return ::GetLocaleInfoA(locale, type, buf, size);
}
bool WindowsLocaleStore::SetLocaleInfoA(LCID locale, LCTYPE type, const char* value) {
  return ::SetLocaleInfoA(locale, type, value) != 0;
}
#endif

}  // namespace tongshu
