#pragma once
// Writes Access 2000 (Jet 4) database files: tables of Text(n), Memo and
// DateTime columns, no indexes. The output is a pure function of the input
// (fixed creation date, fixed page order), so rebuilding never changes a file.
#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace jetwrite {

class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

enum class ColumnType { Text, Memo, DateTime };

struct Column {
  std::string name;
  ColumnType type = ColumnType::Text;
  int maxChars = 255;  // Text only: 1..255 UTF-16 code units
};

// A cell is UTF-8 text or NULL. DateTime cells read "YYYY-MM-DD" or
// "YYYY-MM-DD HH:MM:SS".
using Cell = std::optional<std::string>;
using Row = std::vector<Cell>;

struct Table {
  std::string name;
  std::vector<Column> columns;
  std::vector<Row> rows;
};

struct Options {
  // Memos up to this many stored bytes stay inside their row when the row
  // has room; longer ones go to overflow pages.
  std::size_t inlineMemoLimit = 1024;
};

// The whole file. Throws WriteError for input a Jet 4 file cannot hold
// (row over 4,060 bytes, text over its column's length, a bad date, ...).
std::vector<std::uint8_t> WriteDatabase(const std::vector<Table>& tables, const Options& options = {});

// Days since 1899-12-30 (the Jet DateTime value) of a "YYYY-MM-DD[ HH:MM:SS]"
// text; throws WriteError when it is not a valid date of years 100..9999.
double DateSerialOf(const std::string& text);

// The UCS-2 form of a UTF-8 text (surrogate pairs above the BMP), which the
// reader's tests share.
std::u16string Utf16Of(const std::string& utf8);

}  // namespace jetwrite
