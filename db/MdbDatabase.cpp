#include "MdbDatabase.h"

// glib first: mdbtools.h includes it inside extern "C", which C++ refuses.
#include <glib.h>
#include <mdbtools.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstring>

#include "DataSource.h"
#include "JetImage.h"

namespace tongshu::db {
namespace {

constexpr std::uint16_t kOffsetMask = 0x1FFF;
constexpr std::uint16_t kDeleted = 0x4000;

struct FileKey {
  dev_t dev = 0;
  ino_t ino = 0;
  off_t size = 0;
  timespec mtime{};
  timespec ctime{};
  bool operator==(const FileKey& o) const {
    return dev == o.dev && ino == o.ino && size == o.size && mtime.tv_sec == o.mtime.tv_sec &&
           mtime.tv_nsec == o.mtime.tv_nsec && ctime.tv_sec == o.ctime.tv_sec && ctime.tv_nsec == o.ctime.tv_nsec;
  }
};

FileKey KeyOf(const struct stat& st) {
  return {st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

[[noreturn]] void ThrowFileError(const std::string& path, int err) {
  if (err == ENOENT || err == ENOTDIR) throw DbError("数据文件不存在：" + path);
  throw DbError("无法读取数据文件：" + path + "（" + std::strerror(err) + "）");
}

// The whole file, read through one descriptor so that the bytes and the
// key describe the same file. Non-regular files (a FIFO would block) are refused.
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, FileKey& key) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) ThrowFileError(path, errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat st {};
  if (::fstat(fd, &st) != 0) ThrowFileError(path, errno);
  if (!S_ISREG(st.st_mode)) throw DbError("不是 Access 数据库文件（不是普通文件）：" + path);
  if (st.st_size > (off_t{1} << 31)) throw DbError("数据库文件已损坏（文件超过 Jet 4 的 2 GB 上限）：" + path);
  key = KeyOf(st);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size));
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ThrowFileError(path, errno);
    if (n == 0) break;  // shrank while being read; the check below sees a short file
    done += static_cast<std::size_t>(n);
  }
  bytes.resize(done);
  return bytes;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

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
  // Civil date from days since 1970-01-01 (H. Hinnant's algorithm).
  const long long z = days - 25569 + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  const long long y = yoe + era * 400 + (m <= 2);
  std::string out = std::to_string(y) + "-" + TwoDigits(m) + "-" + TwoDigits(d);
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

  FileKey key;
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
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    files_.erase(path);
    ThrowFileError(path, errno);
  }
  auto& slot = files_[path];
  if (slot && slot->key == KeyOf(st)) return *slot;
  slot.reset();
  auto f = std::make_unique<OpenFile>();
  try {
    f->image = std::make_unique<JetImage>(ReadWholeFile(path, f->key), path);
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
      if (EqualsNoCase(col->name, name)) return i;
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
  const auto pageOffset = [&] { return static_cast<std::size_t>(current) * JetImage::kPageSize; };
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
    if (IsTextType(keyType)) return EqualsNoCase(text(f, keyType), lit.text);
    const std::string s = GString(mdb_col_to_string(mdb, mdb->pg_buf, f.start, keyType, f.siz));
    char* end = nullptr;
    const double v = std::strtod(s.c_str(), &end);
    return end != s.c_str() && v == lit.number;
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
    const std::uint8_t* page = file.image->data() + static_cast<std::size_t>(pg) * JetImage::kPageSize;
    const int rows = page[12] | page[13] << 8;
    for (int r = 0; r < rows; ++r) {
      const int raw = page[14 + 2 * r] | page[15 + 2 * r] << 8;
      if (raw & kDeleted) continue;
      const int start = raw & kOffsetMask;
      const int next = r == 0 ? static_cast<int>(JetImage::kPageSize)
                              : ((page[12 + 2 * r] | page[13 + 2 * r] << 8) & kOffsetMask);
      const std::size_t len = static_cast<std::size_t>(next - start);
      if (fixedDateKey && len >= keyEnd &&
          !dayMatches(mdb_get_double(const_cast<std::uint8_t*>(page), start + 2 + keyCol->fixed_offset)) &&
          mdb_get_int16(const_cast<std::uint8_t*>(page), start) == static_cast<int>(table->num_cols))
        continue;
      if (current != pg) {
        std::memcpy(mdb->pg_buf, page, JetImage::kPageSize);
        mdb->cur_pg = pg;
        current = pg;
      }
      int rowStart = 0;
      size_t rowLen = 0;
      if (mdb_find_row(mdb, r, &rowStart, &rowLen) != 0 || rowLen == 0) continue;
      if (mdb_crack_row(table, rowStart & kOffsetMask, rowLen, fields.data()) < 0) continue;
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
