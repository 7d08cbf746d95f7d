#include "db/JetImage.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <set>

#include "db/Database.h"
#include "db/Jet4Format.h"
#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace tongshu::db {
namespace {

using namespace jet4;

constexpr std::size_t kPage = kPageSize;
constexpr std::size_t kMaxRowsPerPage = 1000;  // libmdb skips rows beyond
constexpr std::size_t kMaxDefinitionPages = 64;
constexpr std::size_t kMaxColumns = 256;
constexpr std::size_t kMaxIndexes = 1000;

std::uint16_t U16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }
std::uint32_t U32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// Width libmdb assumes for each fixed-width type; 0 = variable or bit-only.
int FixedWidthOf(std::uint8_t type) {
  switch (type) {
    case 0x01: return 0;   // Boolean lives in the null mask
    case 0x02: return 1;   // Byte
    case 0x03: return 2;   // Integer
    case 0x04: return 4;   // Long
    case 0x05: return 8;   // Currency
    case 0x06: return 4;   // Single
    case 0x07: return 8;   // Double
    case 0x08: return 8;   // DateTime
    case 0x0F: return 16;  // Replication id
    case 0x10: return 17;  // Decimal
    default: return -1;
  }
}

bool KnownType(std::uint8_t t) {
  return (t >= 0x01 && t <= 0x0C) || t == 0x0F || t == 0x10;
}

}  // namespace

std::string JetTextToUtf8(const std::uint8_t* p, std::size_t n) {
  // Encoded unit by unit straight into a buffer of the largest size: a table
  // scan converts hundreds of thousands of texts, and growing strings a
  // character at a time cost most of it. A byte gives at most two bytes of
  // UTF-8, a pair of bytes at most three.
  std::string out(2 * n, '\0');
  char* w = out.data();
  const auto put = [&w](char32_t c) {
    if (c < 0x80) {
      *w++ = static_cast<char>(c);
    } else if (c < 0x800) {
      *w++ = static_cast<char>(0xC0 | c >> 6);
      *w++ = static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      *w++ = static_cast<char>(0xE0 | c >> 12);
      *w++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *w++ = static_cast<char>(0x80 | (c & 0x3F));
    } else {
      *w++ = static_cast<char>(0xF0 | c >> 18);
      *w++ = static_cast<char>(0x80 | (c >> 12 & 0x3F));
      *w++ = static_cast<char>(0x80 | (c >> 6 & 0x3F));
      *w++ = static_cast<char>(0x80 | (c & 0x3F));
    }
  };
  // A high surrogate waits for its low one; either alone becomes U+FFFD.
  char32_t high = 0;
  const auto unit = [&](char32_t u) {
    const bool isLow = u >= 0xDC00 && u <= 0xDFFF;
    if (high != 0) {
      if (isLow) {
        put(0x10000 + ((high - 0xD800) << 10) + (u - 0xDC00));
        high = 0;
        return;
      }
      put(0xFFFD);
      high = 0;
    }
    if (u >= 0xD800 && u <= 0xDBFF) {
      high = u;
    } else {
      put(isLow ? 0xFFFD : u);
    }
  };
  if (n >= 2 && p[0] == 0xFF && p[1] == 0xFE) {
    bool narrow = true;
    for (std::size_t i = 2; i < n;) {
      if (p[i] == 0) {
        narrow = !narrow;
        ++i;
      } else if (narrow) {
        unit(p[i++]);
      } else if (i + 1 < n) {
        unit(static_cast<char32_t>(p[i] | p[i + 1] << 8));
        i += 2;
      } else {
        break;
      }
    }
  } else {
    for (std::size_t i = 0; i + 1 < n; i += 2) unit(static_cast<char32_t>(p[i] | p[i + 1] << 8));
  }
  if (high != 0) put(0xFFFD);
  out.resize(static_cast<std::size_t>(w - out.data()));
  return out;
}

JetImage::JetImage(FileBytes bytes, std::string file) : bytes_(std::move(bytes)), file_(std::move(file)) {
  if (bytes_.size() < kHeaderSize || bytes_[0] != 0x00 || bytes_[1] != 0x01 || bytes_[2] != 0 || bytes_[3] != 0 ||
      std::memcmp(bytes_.data() + kMagicOffset, kMagic, sizeof kMagic) != 0) {
    if (bytes_.size() >= kHeaderSize && std::memcmp(bytes_.data() + kMagicOffset, kAceMagic, sizeof kAceMagic) == 0)
      throw DbError("不支持的数据库版本（只能读取 Access 2000 格式，即 Jet 4）：" + file_);
    throw DbError("不是 Access 数据库文件：" + file_);
  }
  if (bytes_[kVersionOffset] != kJet4Version)
    throw DbError("不支持的数据库版本（只能读取 Access 2000 格式，即 Jet 4）：" + file_);
  if (bytes_.size() % kPage != 0) damaged("文件长度不是整页");
  if (bytes_.size() > kMaxFileSize) damaged("文件超过 Jet 4 的 2 GB 上限");
  if (pageCount() < 3) damaged("文件不足三页");
  std::array<std::uint8_t, 4> key{};
  for (std::size_t i = 0; i < 4; ++i) key[i] = bytes_[kDatabaseKeyOffset + i] ^ kHeaderMask[kDatabaseKeyOffset - kMaskStart + i];
  if (U32(key.data()) != 0) throw DbError("数据库已加密，无法读取：" + file_);

  // The catalog: MSysObjects, whose definition is always on page 2.
  const std::string catalogName = "MSysObjects";
  const Definition def = readDefinition(2, catalogName);
  int id = -1, name = -1, type = -1, flags = -1;
  for (std::size_t i = 0; i < def.columns.size(); ++i) {
    const Column& c = def.columns[i];
    if (EqualsIgnoreAsciiCase(c.name, "Id") && c.type == kTypeLong) id = static_cast<int>(i);
    if (EqualsIgnoreAsciiCase(c.name, "Name") && c.type == kTypeText) name = static_cast<int>(i);
    if (EqualsIgnoreAsciiCase(c.name, "Type") && c.type == kTypeInt) type = static_cast<int>(i);
    if (EqualsIgnoreAsciiCase(c.name, "Flags") && c.type == kTypeLong) flags = static_cast<int>(i);
  }
  if (id < 0 || name < 0 || type < 0 || flags < 0) damaged("系统表 MSysObjects 缺少 Id、Name、Type 或 Flags 字段");
  forEachRow(def, catalogName, [&](const std::vector<Field>& f, std::size_t, std::size_t) {
    if (f[id].isNull || f[name].isNull || f[type].isNull) return;
    JetCatalogEntry e;
    e.tdefPage = U32(bytes_.data() + f[id].start) & 0x00FFFFFF;
    e.name = JetTextToUtf8(bytes_.data() + f[name].start, f[name].size);
    e.type = static_cast<std::int16_t>(U16(bytes_.data() + f[type].start)) & 0x7F;
    e.flags = f[flags].isNull ? 0 : U32(bytes_.data() + f[flags].start);
    catalog_.push_back(std::move(e));
  });
}

void JetImage::damaged(const std::string& detail) const {
  throw DbError("数据库文件已损坏（" + detail + "）：" + file_);
}

const JetCatalogEntry* JetImage::findUserTable(std::string_view name) const {
  for (const JetCatalogEntry& e : catalog_)
    if (e.isUserTable() && EqualsIgnoreAsciiCase(e.name, name)) return &e;
  return nullptr;
}

std::pair<std::size_t, std::size_t> JetImage::pointedRow(std::uint32_t pointer, const std::string& what) const {
  const std::uint32_t pg = pointer >> 8;
  const std::uint32_t row = pointer & 0xFF;
  if (pg == 0 || pg >= pageCount()) damaged(what + "指向不存在的第 " + std::to_string(pg) + " 页");
  const std::uint8_t* p = page(pg);
  if (p[0] != kDataPage) damaged(what + "指向的第 " + std::to_string(pg) + " 页不是数据页");
  const std::size_t rows = U16(p + kDataRowCount);
  if (row >= rows || rows > kMaxRowsPerPage || kDataRowOffsets + 2 * rows > kPage)
    damaged(what + "指向第 " + std::to_string(pg) + " 页不存在的第 " + std::to_string(row) + " 行");
  const std::size_t start = U16(p + kDataRowOffsets + 2 * row) & kRowOffsetMask;
  const std::size_t next = row == 0 ? kPage : (U16(p + kDataRowOffsets + 2 * (row - 1)) & kRowOffsetMask);
  if (start < kDataRowOffsets + 2 * rows || start > next || next > kPage)
    damaged(what + "所在第 " + std::to_string(pg) + " 页的行位置越界");
  return {static_cast<std::size_t>(pg) * kPage + start, next - start};
}

JetImage::Definition JetImage::readDefinition(std::uint32_t tdefPage, const std::string& table) const {
  const std::string where = "表 " + table + " 的定义";
  // The definition may run over several pages: the first whole, then each
  // continuation from its byte 8, as both libmdb and other readers join them.
  std::vector<std::uint8_t> buf;
  std::set<std::uint32_t> seen;
  for (std::uint32_t pg = tdefPage; pg != 0;) {
    if (pg >= pageCount()) damaged(where + "指向不存在的第 " + std::to_string(pg) + " 页");
    if (!seen.insert(pg).second || seen.size() > kMaxDefinitionPages) damaged(where + "的续页成环");
    const std::uint8_t* p = page(pg);
    if (p[0] != kTdefPage || p[1] != 0x01) damaged("第 " + std::to_string(pg) + " 页不是表定义页（" + where + "）");
    buf.insert(buf.end(), p + (buf.empty() ? 0 : kTdefLength), p + kPage);
    pg = U32(p + kTdefNextPage);
  }
  Definition def;
  const std::size_t ncols = U16(buf.data() + kTdefColumns);
  def.varCount = U16(buf.data() + kTdefVarColumns);
  const std::size_t realIndexes = U32(buf.data() + kTdefRealIndexes);
  if (ncols == 0 || ncols > kMaxColumns) damaged(where + "的字段数 " + std::to_string(ncols) + " 不合理");
  if (def.varCount > ncols) damaged(where + "的可变长字段数大于字段数");
  if (realIndexes > kMaxIndexes || U32(buf.data() + kTdefIndexes) > kMaxIndexes) damaged(where + "的索引数不合理");
  std::size_t pos = kTdefColumnsStart + realIndexes * kIndexEntrySize;
  if (pos + ncols * kColumnEntrySize > buf.size()) damaged(where + "的字段表超出定义页");
  std::set<std::uint8_t> numbers;
  for (std::size_t i = 0; i < ncols; ++i, pos += kColumnEntrySize) {
    const std::uint8_t* e = buf.data() + pos;
    Column c;
    c.type = e[kColType];
    c.number = e[kColNumber];
    c.varIndex = U16(e + kColVarIndex);
    c.fixed = (e[kColFlags] & 0x01) != 0;
    c.fixedOffset = U16(e + kColFixedOffset);
    c.size = U16(e + kColSize);
    if (!KnownType(c.type)) damaged(where + "含未知字段类型 " + std::to_string(c.type));
    if (!numbers.insert(c.number).second) damaged(where + "的字段编号重复");
    const int width = FixedWidthOf(c.type);
    if (c.fixed && c.type != kTypeBool && (width < 0 || c.size != width))
      damaged(where + "的定长字段长度与类型不符");
    if (c.fixed && c.fixedOffset + c.size > kMaxRowSize) damaged(where + "的定长字段位置越界");
    if (!c.fixed && (width > 0 || c.varIndex >= def.varCount)) damaged(where + "的可变长字段编号越界");
    def.columns.push_back(c);
  }
  for (Column& c : def.columns) {
    if (pos + 2 > buf.size()) damaged(where + "的字段名超出定义页");
    const std::size_t n = U16(buf.data() + pos);
    pos += 2;
    if (n == 0 || n > 2 * 128 || pos + n > buf.size()) damaged(where + "的字段名长度不合理");
    c.name = JetTextToUtf8(buf.data() + pos, n);
    pos += n;
  }
  std::stable_sort(def.columns.begin(), def.columns.end(),
                   [](const Column& a, const Column& b) { return a.number < b.number; });

  // Both maps must name real rows, or libmdb gives up on the table.
  const std::uint8_t* head = page(tdefPage);
  def.dataPages = mapPages(tdefPage, U32(head + kTdefOwnedPagesMap), table);
  pointedRow(U32(head + kTdefFreePagesMap), where + "的空闲页图");
  return def;
}

std::vector<std::uint32_t> JetImage::mapPages(std::uint32_t tdefPage, std::uint32_t pointer, const std::string& table) const {
  const std::string where = "表 " + table + " 的页图";
  const auto [off, len] = pointedRow(pointer, where);
  const std::uint8_t* m = bytes_.data() + off;
  std::vector<std::uint32_t> pages;
  auto add = [&](std::uint64_t pg) {
    if (pg == 0 || pg >= pageCount()) damaged(where + "列出不存在的第 " + std::to_string(pg) + " 页");
    const std::uint8_t* p = page(static_cast<std::uint32_t>(pg));
    if (p[0] != kDataPage || U32(p + kDataOwner) != tdefPage)
      damaged(where + "列出的第 " + std::to_string(pg) + " 页不是该表的数据页");
    pages.push_back(static_cast<std::uint32_t>(pg));
  };
  if (len < 1) damaged(where + "为空");
  if (m[0] == 0) {
    if (len < 5) damaged(where + "过短");
    const std::uint32_t first = U32(m + 1);
    for (std::size_t i = 0; i < (len - 5) * 8; ++i)
      if (m[5 + i / 8] & (1u << (i % 8))) add(static_cast<std::uint64_t>(first) + i);
  } else if (m[0] == 1) {
    constexpr std::size_t kBits = (kPage - 4) * 8;
    for (std::size_t k = 0; k < (len - 1) / 4; ++k) {
      const std::uint32_t mp = U32(m + 1 + 4 * k);
      if (mp == 0) continue;
      if (mp >= pageCount() || page(mp)[0] != kUsageMapPage) damaged(where + "的第 " + std::to_string(mp) + " 页不是页图页");
      const std::uint8_t* bits = page(mp) + 4;
      for (std::size_t i = 0; i < kBits; ++i)
        if (bits[i / 8] & (1u << (i % 8))) add(static_cast<std::uint64_t>(k) * kBits + i);
    }
  } else {
    damaged(where + "类型未知");
  }
  return pages;
}

template <typename F>
void JetImage::forEachRow(const Definition& def, const std::string& table, F&& onRow) const {
  const std::string where = "表 " + table;
  std::vector<Field> fields(def.columns.size());
  std::vector<std::size_t> offs;
  for (std::uint32_t pg : def.dataPages) {
    const std::uint8_t* p = page(pg);
    const std::size_t rows = U16(p + kDataRowCount);
    const std::string at = where + "第 " + std::to_string(pg) + " 页";
    if (rows > kMaxRowsPerPage || kDataRowOffsets + 2 * rows > kPage) damaged(at + "的行数不合理");
    for (std::size_t r = 0; r < rows; ++r) {
      const std::uint16_t raw = U16(p + kDataRowOffsets + 2 * r);
      const std::size_t start = raw & kRowOffsetMask;
      const std::size_t next = r == 0 ? kPage : (U16(p + kDataRowOffsets + 2 * (r - 1)) & kRowOffsetMask);
      if (raw & kRowDeleted) continue;
      if (start < kDataRowOffsets + 2 * rows || start > next || next > kPage) damaged(at + "的行位置越界");
      const std::size_t size = next - start;
      if (size == 0) continue;
      // The row as libmdb cracks it: column count first, then null mask,
      // variable count and variable offsets read backwards from the end.
      const std::uint8_t* row = p + start;
      const std::size_t rowCols = U16(row);
      const std::size_t mask = (rowCols + 7) / 8;
      const std::size_t end = size - 1;  // offset of the row's last byte
      if (2 + mask + 2 > size) damaged(at + "的行头越界");
      std::size_t rowVars = 0;
      offs.clear();
      if (def.varCount > 0) {
        rowVars = U16(row + end - mask - 1);
        if (rowVars > rowCols || 2 + mask + 2 + 2 * (rowVars + 1) > size) damaged(at + "的可变长字段表越界");
        const std::size_t tableStart = end - mask - 1 - 2 * (rowVars + 1);
        for (std::size_t i = 0; i <= rowVars; ++i) {
          offs.push_back(U16(row + end - mask - 3 - 2 * i));
          if (offs[i] < 2 || offs[i] > tableStart || (i > 0 && offs[i] < offs[i - 1]))
            damaged(at + "的可变长字段位置越界");
        }
      }
      const std::size_t rowFixed = rowCols - rowVars;
      std::size_t fixedFound = 0;
      const std::uint8_t* nulls = row + end - mask + 1;
      for (std::size_t i = 0; i < def.columns.size(); ++i) {
        const Column& c = def.columns[i];
        Field& f = fields[i];
        const std::size_t byte = c.number / 8;
        f.isNull = byte >= mask || !(nulls[byte] & (1u << (c.number % 8)));
        if (c.fixed && fixedFound < rowFixed) {
          f.start = 2 + c.fixedOffset;
          f.size = c.size;
          ++fixedFound;
        } else if (!c.fixed && c.varIndex < rowVars) {
          f.start = offs[c.varIndex];
          f.size = offs[c.varIndex + 1] - offs[c.varIndex];
        } else {
          f.start = f.size = 0;
          f.isNull = true;
        }
        if (f.start + f.size > size) damaged(at + "的字段 " + c.name + " 越界");
        f.start += static_cast<std::size_t>(pg) * kPage + start;
        if (c.type == kTypeBool) f.isNull = false;  // a Boolean's bit is its value
      }
      onRow(fields, rowCols, rowVars);
    }
  }
}

void JetImage::checkMemo(const Field& f, const std::string& where) const {
  if (f.isNull || f.size == 0) return;
  if (f.size < kMemoHeaderSize) damaged(where + "的备注头过短");
  const std::uint8_t* h = bytes_.data() + f.start;
  const std::uint32_t len = U32(h) & 0x00FFFFFF;
  const std::uint8_t flags = h[3];
  if (flags == kMemoInline) {
    if (len > f.size - kMemoHeaderSize) damaged(where + "的备注长度越界");
  } else if (flags == kMemoOneRow) {
    if (pointedRow(U32(h + 4), where + "的备注").second < len) damaged(where + "的备注长度越界");
  } else if (flags == kMemoChain) {
    std::set<std::uint32_t> seen;
    std::size_t total = 0;
    for (std::uint32_t ptr = U32(h + 4); ptr != 0;) {
      if (!seen.insert(ptr).second) damaged(where + "的备注链成环");
      const auto [off, n] = pointedRow(ptr, where + "的备注链");
      if (n < 4) damaged(where + "的备注链行过短");
      total += n - 4;
      if (total > len) damaged(where + "的备注链长于备注长度");
      ptr = U32(bytes_.data() + off);
    }
    if (total != len) damaged(where + "的备注链短于备注长度");
  } else {
    damaged(where + "的备注标志未知");
  }
}

std::string JetImage::memoText(std::size_t offset, std::size_t size) const {
  if (size < kMemoHeaderSize || offset + size > bytes_.size()) return {};
  const std::uint8_t* h = bytes_.data() + offset;
  const std::uint32_t len = U32(h) & 0x00FFFFFF;
  const std::uint8_t flags = h[3];
  if (flags == kMemoInline) return JetTextToUtf8(h + kMemoHeaderSize, std::min<std::size_t>(len, size - kMemoHeaderSize));
  const std::string where = "备注";
  if (flags == kMemoOneRow) {
    const auto [off, n] = pointedRow(U32(h + 4), where);
    return JetTextToUtf8(bytes_.data() + off, std::min<std::size_t>(len, n));
  }
  std::vector<std::uint8_t> stored;
  stored.reserve(len);
  std::size_t links = 0;
  for (std::uint32_t ptr = U32(h + 4); ptr != 0 && stored.size() < len && ++links <= pageCount() * 256u;) {
    const auto [off, n] = pointedRow(ptr, where);
    if (n < 4) break;
    stored.insert(stored.end(), bytes_.data() + off + 4, bytes_.data() + off + std::min<std::size_t>(n, 4 + len - stored.size()));
    ptr = U32(bytes_.data() + off);
  }
  return JetTextToUtf8(stored.data(), stored.size());
}

JetImage::TableLayout JetImage::checkTable(const JetCatalogEntry& table) const {
  const Definition def = readDefinition(table.tdefPage, table.name);
  TableLayout layout;
  forEachRow(def, table.name, [&](const std::vector<Field>& f, std::size_t rowCols, std::size_t rowVars) {
    if (rowCols == def.columns.size() && rowVars != def.varCount) layout.fullRowsUniform = false;
    for (std::size_t i = 0; i < f.size(); ++i) {
      const std::uint8_t t = def.columns[i].type;
      if (t == kTypeOle || t == kTypeMemo) checkMemo(f[i], "表 " + table.name + " 的字段 " + def.columns[i].name);
    }
  });
  layout.dataPages = def.dataPages;
  return layout;
}

}  // namespace tongshu::db
