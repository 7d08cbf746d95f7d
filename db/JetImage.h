#pragma once
// A Jet 4 file held in memory and checked before libmdb reads it. libmdb
// trusts page numbers, row offsets and memo chains as it finds them; a
// damaged file could send it past its buffers or round a cycle for ever.
// Everything it will follow for a lookup is checked here first, on the very
// bytes it is then given, so the file cannot change between check and use.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "db/DataFile.h"
#include "db/Jet4Format.h"

namespace tongshu::db {

struct JetCatalogEntry {
  std::string name;  // UTF-8
  std::uint32_t tdefPage = 0;
  int type = 0;  // 1 = table
  std::uint32_t flags = 0;
  bool isUserTable() const { return type == 1 && (flags & jet4::kSystemObjectFlags) == 0; }
};

class JetImage {
 public:
  static constexpr std::size_t kPageSize = jet4::kPageSize;

  // Checks the header and the catalog (MSysObjects). `file` names the file in
  // messages. Throws DbError: not an Access file, another version, encrypted,
  // damaged.
  JetImage(FileBytes bytes, std::string file);

  const std::vector<JetCatalogEntry>& catalog() const { return catalog_; }
  // A user table by name, ASCII letters compared without case; nullptr if none.
  const JetCatalogEntry* findUserTable(std::string_view name) const;
  // Checks a table's definition, usage map, data pages, rows and memo
  // references; throws DbError naming the table when anything is out of place.
  struct TableLayout {
    std::vector<std::uint32_t> dataPages;  // in the order the usage map lists them
    // Every row that holds all the table's columns also holds all its
    // variable columns, so its fixed columns sit at their definition offsets.
    bool fullRowsUniform = true;
  };
  TableLayout checkTable(const JetCatalogEntry& table) const;

  // UTF-8 of the memo whose 12-byte header starts at `offset` in the file and
  // whose field is `size` bytes long; the table must have passed checkTable.
  std::string memoText(std::size_t offset, std::size_t size) const;

  std::uint8_t* data() { return bytes_.data(); }
  const std::uint8_t* data() const { return bytes_.data(); }
  std::size_t size() const { return bytes_.size(); }
  const std::string& file() const { return file_; }

 private:
  struct Column {
    std::string name;
    std::uint8_t type = 0;
    std::uint8_t number = 0;
    bool fixed = false;
    std::uint16_t varIndex = 0;
    std::uint16_t fixedOffset = 0;
    std::uint16_t size = 0;
  };
  struct Definition {
    std::uint16_t varCount = 0;
    std::vector<Column> columns;  // in column-number order, as libmdb sorts them
    std::vector<std::uint32_t> dataPages;
  };
  struct Field {
    bool isNull = true;
    std::size_t start = 0;  // offset in the file
    std::size_t size = 0;
  };

  [[noreturn]] void damaged(const std::string& detail) const;
  std::uint32_t pageCount() const { return static_cast<std::uint32_t>(bytes_.size() / kPageSize); }
  const std::uint8_t* page(std::uint32_t n) const { return bytes_.data() + static_cast<std::size_t>(n) * kPageSize; }
  Definition readDefinition(std::uint32_t tdefPage, const std::string& table) const;
  std::vector<std::uint32_t> mapPages(std::uint32_t tdefPage, std::uint32_t pointer, const std::string& table) const;
  // Offset in the file and length of the row a page<<8|row pointer names.
  std::pair<std::size_t, std::size_t> pointedRow(std::uint32_t pointer, const std::string& what) const;
  // Calls `onRow` with the fields of every live row, as libmdb cracks them.
  template <typename F>
  void forEachRow(const Definition& def, const std::string& table, F&& onRow) const;
  void checkMemo(const Field& f, const std::string& where) const;

  FileBytes bytes_;
  std::string file_;
  std::vector<JetCatalogEntry> catalog_;
};

// UTF-8 of a Jet text value: UCS-2LE, or FF FE and one byte per character
// with 00 bytes switching between one and two bytes per character.
std::string JetTextToUtf8(const std::uint8_t* p, std::size_t n);

}  // namespace tongshu::db
