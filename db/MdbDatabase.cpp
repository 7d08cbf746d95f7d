#include "db/MdbDatabase.h"

// glib first: mdbtools.h includes it inside extern "C", which C++ refuses.
// The Windows build's libmdb brings its own small stand-in instead.
#ifndef TONGSHU_MDB_FAKE_GLIB
#include <glib.h>
#endif
#include <mdbtools.h>

#include <cmath>
#include <cstring>

#include "db/DataFile.h"
#include "db/DataSource.h"
#include "db/Jet4Format.h"
#include "db/JetImage.h"
#include "text/AsciiText.h"

namespace tongshu::db {
namespace {

using namespace jet4;

std::string TwoDigits(int v) { return std::string(1, static_cast<char>('0' + v / 10)) + static_cast<char>('0' + v % 10); }

// Jet DateTime as the program's locale shows it: yyyy-MM-dd, and H:mm:ss
// after a blank when the value carries a time of day.
std::string FormatDateTime(double v) {
  if (!std::isfinite(v) || std::fabs(v) > 3e6) return {};
  const double dayPart = std::trunc(v);
  long long seconds = std::llround(std::fabs(v - dayPart) * 86400.0);
  long long days = static_cast<long long>(dayPart);
  if (seconds >= 86400) {
    seconds -= 86400;
    days += v < 0 ? -1 : 1;
  }
  const std::chrono::year_month_day date = DateOfDaySerial(days);
  std::string out = std::to_string(static_cast<int>(date.year())) + "-" +
                    TwoDigits(static_cast<int>(static_cast<unsigned>(date.month()))) + "-" +
                    TwoDigits(static_cast<int>(static_cast<unsigned>(date.day())));
  if (seconds != 0) {
    const int h = static_cast<int>(seconds / 3600);
    out += " " + std::to_string(h) + ":" + TwoDigits(static_cast<int>(seconds / 60 % 60)) + ":" +
           TwoDigits(static_cast<int>(seconds % 60));
  }
  return out;
}

bool IsTextType(int t) { return t == MDB_TEXT || t == MDB_MEMO; }
bool IsNumberType(int t) {
  return t == MDB_BYTE || t == MDB_INT || t == MDB_LONGINT || t == MDB_MONEY || t == MDB_FLOAT || t == MDB_DOUBLE ||
         t == MDB_NUMERIC;
}

const char* TypeName(int t) {
  if (IsTextType(t)) return "文本";
  if (t == MDB_DATETIME) return "日期";
  if (IsNumberType(t)) return "数字";
  return "其他类型";
}

const char* LiteralName(Literal::Kind k) {
  switch (k) {
    case Literal::Kind::Date: return "日期";
    case Literal::Kind::Text: return "文本";
    case Literal::Kind::Number: return "数字";
  }
  return "";
}

// A number as libmdb writes it. Its printf follows the process's C locale,
// which in the windows is the user's, so a decimal comma is read as a point.
std::optional<double> NumberOfMdbText(std::string s) {
  if (const auto comma = s.find(','); comma != std::string::npos) s[comma] = '.';
  return ParseDecimal(TrimLow(s));
}

std::string GString(gchar* s) {
  std::string out = s ? s : "";
  g_free(s);
  return out;
}

}  // namespace

struct MdbDatabase::OpenFile {
  struct Table {
    MdbCatalogEntry entry{};
    MdbTableDef* def = nullptr;
    JetImage::TableLayout layout;  // checked data pages and row shape
  };

  FileStamp stamp;
  std::unique_ptr<JetImage> image;
  MdbHandle* mdb = nullptr;
  std::map<std::uint32_t, std::unique_ptr<Table>> tables;

  ~OpenFile() {
    for (auto& [page, t] : tables)
      if (t->def) mdb_free_tabledef(t->def);
    if (mdb) mdb_close(mdb);
  }

  Table& table(const JetCatalogEntry& e) {
    if (const auto it = tables.find(e.tdefPage); it != tables.end()) return *it->second;
    auto t = std::make_unique<Table>();
    t->layout = image->checkTable(e);
    t->entry.mdb = mdb;
    t->entry.object_type = MDB_TABLE;
    t->entry.table_pg = e.tdefPage;
    std::snprintf(t->entry.object_name, sizeof t->entry.object_name, "%s", e.name.c_str());
    t->def = mdb_read_table(&t->entry);
    if (!t->def || !mdb_read_columns(t->def)) {
      if (t->def) mdb_free_tabledef(t->def);
      throw DbError("数据库文件已损坏（无法读取表 " + e.name + " 的定义）：" + image->file());
    }
    return *tables.emplace(e.tdefPage, std::move(t)).first->second;
  }
};

MdbDatabase::MdbDatabase() = default;
MdbDatabase::~MdbDatabase() = default;

void MdbDatabase::closeAll() {
  std::lock_guard lock(mutex_);
  files_.clear();
}

MdbDatabase::OpenFile& MdbDatabase::open(const std::string& path) {
  FileStamp stamp;
  try {
    stamp = StampOf(path);
  } catch (...) {
    files_.erase(path);
    throw;
  }
  auto& slot = files_[path];
  if (slot && slot->stamp == stamp) return *slot;
  slot.reset();
  auto f = std::make_unique<OpenFile>();
  try {
    f->image = std::make_unique<JetImage>(ReadWholeFile(path, f->stamp), path);
    f->mdb = mdb_open_buffer(f->image->data(), f->image->size(), MDB_NOFLAGS);
    if (!f->mdb) throw DbError("不是 Access 数据库文件：" + path);
  } catch (...) {
    files_.erase(path);
    throw;
  }
  slot = std::move(f);
  return *slot;
}

std::optional<Record> MdbDatabase::firstRow(const std::string& connectionString, const std::string& sql) {
  const SelectStatement statement = ParseSelect(sql);
  return firstRowOf(DataSourcePathOf(connectionString), statement);
}

std::optional<Record> MdbDatabase::firstRowOf(const std::string& path, const SelectStatement& statement) {
  std::optional<Record> first;
  scan(path, statement.table, statement.columns, &statement, [&](Record&& row) {
    first = std::move(row);
    return false;
  });
  return first;
}

void MdbDatabase::forEachRow(const std::string& connectionString, const std::string& table,
                             const std::vector<std::string>& columns, const std::function<void(const Record&)>& visit) {
  scan(DataSourcePathOf(connectionString), table, columns, nullptr, [&](Record&& row) {
    visit(row);
    return true;
  });
}

void MdbDatabase::scan(const std::string& path, const std::string& tableName, const std::vector<std::string>& columns,
                       const SelectStatement* where, const std::function<bool(Record&&)>& visit) {
  std::lock_guard lock(mutex_);
  OpenFile& file = open(path);
  const JetCatalogEntry* entry = file.image->findUserTable(tableName);
  if (!entry) throw DbError("数据表不存在：" + tableName + "（" + path + "）");
  OpenFile::Table& state = file.table(*entry);
  MdbTableDef* table = state.def;
  MdbHandle* mdb = file.mdb;

  auto columnIndex = [&](const std::string& name) -> unsigned {
    for (unsigned i = 0; i < table->num_cols; ++i) {
      auto* col = static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i));
      if (EqualsIgnoreAsciiCase(col->name, name)) return i;
    }
    throw DbError("字段不存在：" + name + "（表 " + entry->name + "）");
  };
  auto column = [&](unsigned i) { return static_cast<MdbColumn*>(g_ptr_array_index(table->columns, i)); };

  std::vector<unsigned> selected;
  if (columns.empty()) {
    for (unsigned i = 0; i < table->num_cols; ++i) selected.push_back(i);
  } else {
    for (const std::string& c : columns) selected.push_back(columnIndex(c));
  }
  // Without a condition every row matches; the key is then never read.
  static const Literal kNoLiteral;
  const unsigned key = where ? columnIndex(where->whereColumn) : 0;
  const int keyType = where ? column(key)->col_type : 0;
  const Literal& lit = where ? where->value : kNoLiteral;
  const bool compatible = !where || (lit.kind == Literal::Kind::Date && keyType == MDB_DATETIME) ||
                          (lit.kind == Literal::Kind::Text && IsTextType(keyType)) ||
                          (lit.kind == Literal::Kind::Number && (IsNumberType(keyType) || keyType == MDB_DATETIME));
  if (!compatible)
    throw DbError("条件类型不匹配：字段 " + std::string(column(key)->name) + " 是" + TypeName(keyType) + "，不能与" +
                  LiteralName(lit.kind) + " " + lit.source + " 比较（表 " + entry->name + "）");

  std::vector<MdbField> fields(table->num_cols);
  std::uint32_t current = 0;  // the page in mdb->pg_buf
  const auto pageOffset = [&] { return static_cast<std::size_t>(current) * kPageSize; };
  auto text = [&](const MdbField& f, int type) {
    const std::size_t at = pageOffset() + static_cast<std::size_t>(f.start);
    return type == MDB_MEMO ? file.image->memoText(at, static_cast<std::size_t>(f.siz))
                            : JetTextToUtf8(file.image->data() + at, static_cast<std::size_t>(f.siz));
  };
  // A date literal names the whole day; Jet counts days toward zero.
  auto dayMatches = [&](double v) {
    return lit.kind == Literal::Kind::Date ? std::trunc(v) == static_cast<double>(lit.daySerial) : v == lit.number;
  };
  auto matches = [&](const MdbField& f) {
    if (f.is_null) return false;
    if (keyType == MDB_DATETIME) return f.siz >= 8 && dayMatches(mdb_get_double(mdb->pg_buf, f.start));
    if (IsTextType(keyType)) return EqualsIgnoreAsciiCase(text(f, keyType), lit.text);
    const std::string s = GString(mdb_col_to_string(mdb, mdb->pg_buf, f.start, keyType, f.siz));
    const std::optional<double> v = NumberOfMdbText(s);
    return v && *v == lit.number;
  };

  const MdbColumn* keyCol = where ? column(key) : nullptr;
  const bool fixedDateKey =
      keyCol && keyType == MDB_DATETIME && keyCol->is_fixed && keyCol->col_size == 8 && state.layout.fullRowsUniform;
  const std::size_t keyEnd = fixedDateKey ? static_cast<std::size_t>(2 + keyCol->fixed_offset + 8) : 0;

  // The pages come from the checked usage map. A page is copied into
  // libmdb's page buffer only when one of its rows may match: cracking every
  // row and copying every page would cost most of a full pass. A row laid out
  // with all its columns has a fixed key at a known place, so when those bytes
  // cannot match the row is skipped uncracked; any other row is cracked.
  for (const std::uint32_t pg : state.layout.dataPages) {
    const std::uint8_t* page = file.image->data() + static_cast<std::size_t>(pg) * kPageSize;
    const int rows = page[kDataRowCount] | page[kDataRowCount + 1] << 8;
    for (int r = 0; r < rows; ++r) {
      const int raw = page[kDataRowOffsets + 2 * r] | page[kDataRowOffsets + 1 + 2 * r] << 8;
      if (raw & kRowDeleted) continue;
      const int start = raw & kRowOffsetMask;
      const int next = r == 0 ? static_cast<int>(kPageSize)
                              : ((page[kDataRowOffsets - 2 + 2 * r] | page[kDataRowOffsets - 1 + 2 * r] << 8) &
                                 kRowOffsetMask);
      const std::size_t len = static_cast<std::size_t>(next - start);
      if (fixedDateKey && len >= keyEnd &&
          !dayMatches(mdb_get_double(const_cast<std::uint8_t*>(page), start + 2 + keyCol->fixed_offset)) &&
          mdb_get_int16(const_cast<std::uint8_t*>(page), start) == static_cast<int>(table->num_cols))
        continue;
      if (current != pg) {
        std::memcpy(mdb->pg_buf, page, kPageSize);
        mdb->cur_pg = pg;
        current = pg;
      }
      int rowStart = 0;
      size_t rowLen = 0;
      if (mdb_find_row(mdb, r, &rowStart, &rowLen) != 0 || rowLen == 0) continue;
      if (mdb_crack_row(table, rowStart & kRowOffsetMask, rowLen, fields.data()) < 0) continue;
      if (where && !matches(fields[key])) continue;

      Record rec;
      rec.names.reserve(selected.size());
      rec.values.reserve(selected.size());
      for (unsigned i : selected) {
        const MdbColumn* col = column(i);
        const MdbField& f = fields[i];
        rec.names.emplace_back(col->name);
        if (col->col_type == MDB_BOOL) {
          rec.values.emplace_back(f.is_null ? "False" : "True");
        } else if (f.is_null) {
          rec.values.emplace_back(std::nullopt);
        } else if (col->col_type == MDB_DATETIME) {
          rec.values.emplace_back(f.siz >= 8 ? FormatDateTime(mdb_get_double(mdb->pg_buf, f.start)) : std::string{});
        } else if (IsTextType(col->col_type)) {
          rec.values.emplace_back(text(f, col->col_type));
        } else if (f.siz <= 0) {
          rec.values.emplace_back(std::string{});
        } else {
          rec.values.emplace_back(GString(mdb_col_to_string(mdb, mdb->pg_buf, f.start, col->col_type, f.siz)));
        }
      }
      if (!visit(std::move(rec))) return;
    }
  }
}

}  // namespace tongshu::db
