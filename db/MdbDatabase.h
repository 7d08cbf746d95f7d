#pragma once
// The Access data layer: reads genuine Jet 4 files through libmdb (mdbtools),
// read-only. Statements are parsed here and evaluated on libmdb's table API;
// its SQL engine is not used (it has no #date# literal, gets leap-year dates
// wrong and always re-reads the catalog).
//
// An opened file stays in memory, checked, until its size, time or inode
// changes: a lookup then costs one look at the file's stamp (DataFile.h) and
// one pass over the table.
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "db/Database.h"
#include "db/SelectStatement.h"

namespace tongshu::db {

class MdbDatabase final : public Database {
 public:
  MdbDatabase();
  ~MdbDatabase() override;
  MdbDatabase(const MdbDatabase&) = delete;
  MdbDatabase& operator=(const MdbDatabase&) = delete;

  std::optional<Record> firstRow(const std::string& connectionString, const std::string& sql) override;

  // The same on a file path and a parsed statement.
  std::optional<Record> firstRowOf(const std::string& path, const SelectStatement& statement);

  void forEachRow(const std::string& connectionString, const std::string& table,
                  const std::vector<std::string>& columns, const std::function<void(const Record&)>& visit) override;

  // Forgets every opened file.
  void closeAll();

 private:
  struct OpenFile;
  OpenFile& open(const std::string& path);
  // Hands each row that `where` matches (every row without one) to `visit`,
  // in the file's order, until visit returns false. visit runs under the
  // lock and must not call back into this object.
  void scan(const std::string& path, const std::string& table, const std::vector<std::string>& columns,
            const SelectStatement* where, const std::function<bool(Record&&)>& visit);

  std::mutex mutex_;
  std::map<std::string, std::unique_ptr<OpenFile>> files_;
};

}  // namespace tongshu::db
