#pragma once
// The program's view of its Access data files: run one SELECT given as text
// and read the first row. Implementations throw DbError with a message that
// names the file or table.
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tongshu::db {

class DbError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// One result row. NULL reads as empty text; values come back as stored.
struct Record {
  std::vector<std::string> names;
  std::vector<std::optional<std::string>> values;

  std::size_t size() const { return values.size(); }
  // Case-insensitive by column name; throws DbError for an unknown column.
  std::string field(std::string_view name) const;
  // Throws DbError for a position outside the row.
  std::string field(std::size_t index) const;
  bool isNull(std::size_t index) const { return index < values.size() && !values[index]; }
};

class Database {
 public:
  virtual ~Database() = default;
  // Opens the file the connection string names, runs the statement and returns
  // its first row, or nothing when no row matches.
  virtual std::optional<Record> firstRow(const std::string& connectionString,
                                         const std::string& sql) = 0;
  // Every row of a table, in the file's order, with the named columns (all
  // when empty): one pass for a caller that needs the whole table. The record
  // handed to `visit` lives for that call only. A source that cannot scan
  // throws DbError.
  virtual void forEachRow(const std::string& connectionString, const std::string& table,
                          const std::vector<std::string>& columns, const std::function<void(const Record&)>& visit);
};

// The query component of a window: a connection string and a statement,
// opened on demand through a Database.
class Query {
 public:
  explicit Query(Database& db) : db_(&db) {}

  void setConnectionString(std::string s) { connection_ = std::move(s); }
  const std::string& connectionString() const { return connection_; }
  void setSql(std::string s) { sql_ = std::move(s); }
  const std::string& sql() const { return sql_; }

  void open() {
    row_.reset();
    active_ = false;
    row_ = db_->firstRow(connection_, sql_);
    active_ = true;
  }
  void close() {
    row_.reset();
    active_ = false;
  }
  bool active() const { return active_; }
  bool isEmpty() const { return !row_.has_value(); }
  const std::optional<Record>& row() const { return row_; }

 private:
  Database* db_;
  std::string connection_;
  std::string sql_;
  std::optional<Record> row_;
  bool active_ = false;
};

}  // namespace tongshu::db
