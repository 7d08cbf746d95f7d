#include <cctype>

#include "Database.h"

namespace tongshu::db {
namespace {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

}  // namespace

std::string Record::field(std::string_view name) const {
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
    if (EqualsNoCase(names[i], name)) return values[i].value_or(std::string{});
  }
  throw DbError("字段不存在: " + std::string(name));
}

std::string Record::field(std::size_t index) const {
  if (index >= values.size()) throw DbError("字段序号超出范围: " + std::to_string(index));
  return values[index].value_or(std::string{});
}

void Database::forEachRow(const std::string&, const std::string& table, const std::vector<std::string>&,
                          const std::function<void(const Record&)>&) {
  throw DbError("此数据源不能逐行读取表 " + table);
}

}  // namespace tongshu::db
