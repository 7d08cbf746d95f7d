#include "db/DataSource.h"

#include "db/Database.h"
#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace tongshu::db {
std::string DataSourcePathOf(std::string_view cs) {
  std::size_t pos = 0;
  std::string_view value;
  bool found = false;
  while (pos < cs.size()) {
    const std::size_t eq = cs.find('=', pos);
    if (eq == std::string_view::npos) break;
    const std::string_view key = TrimAsciiSpace(cs.substr(pos, eq - pos));
    std::size_t v = eq + 1;
    while (v < cs.size() && IsAsciiSpace(cs[v])) ++v;
    std::size_t end;
    std::string_view val;
    if (v < cs.size() && (cs[v] == '"' || cs[v] == '\'')) {
      const std::size_t close = cs.find(cs[v], v + 1);
      if (close == std::string_view::npos) throw DbError("连接字符串的引号不配对：" + std::string(cs));
      val = cs.substr(v + 1, close - v - 1);
      end = cs.find(';', close);
    } else {
      end = cs.find(';', v);
      val = TrimAsciiSpace(cs.substr(v, end == std::string_view::npos ? std::string_view::npos : end - v));
    }
    if (EqualsIgnoreAsciiCase(key, "data source")) {
      value = val;
      found = true;  // the last occurrence wins, as with OLE DB
    }
    if (end == std::string_view::npos) break;
    pos = end + 1;
  }
  if (!found || value.empty()) throw DbError("连接字符串中没有数据源（Data Source）：" + std::string(cs));
  // A GBK trail byte may be 0x5C, the backslash; such text is never valid
  // UTF-8, so outside UTF-8 a lead byte takes its trail byte along unread.
  const bool gbk = !IsValidUtf8(value);
  std::string path;
  path.reserve(value.size());
  // A UNC or device path (\\server\share, \\.\pipe) keeps the pair it begins with.
  std::size_t i = 0;
  if (value.size() >= 2 && value[0] == '\\' && value[1] == '\\') {
    path = "//";
    i = 2;
  }
  for (; i < value.size(); ++i) {
    const char c = value[i];
    const auto b = static_cast<unsigned char>(c);
    if (gbk && b >= 0x81 && b <= 0xFE && i + 1 < value.size()) {
      path.push_back(c);
      path.push_back(value[++i]);
      continue;
    }
    const bool sep = c == '\\' || c == '/';
    if (sep && !path.empty() && path.back() == '/') continue;
    path.push_back(sep ? '/' : c);
  }
  return path;
}

}  // namespace tongshu::db
