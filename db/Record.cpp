#include "db/Database.h"
#include "text/AsciiText.h"

namespace tongshu::db {

std::string Record::field(std::string_view name) const {
  for (std::size_t i = 0; i < names.size() && i < values.size(); ++i) {
    if (EqualsIgnoreAsciiCase(names[i], name)) return values[i].value_or(std::string{});
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
