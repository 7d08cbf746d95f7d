#include "tools/jetwrite/JetWriter.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>

#include "db/Jet4Format.h"
#include "text/AsciiText.h"
#include "text/Utf8.h"

namespace jetwrite {
namespace {

using namespace tongshu::jet4;

constexpr std::size_t kMaxRowsPerPage = 255;
// One overflow row holds a u32 link and at most this much of a memo.
constexpr std::size_t kLvalChunk = 4072;
constexpr std::size_t kLvalSingleMax = kPageSize - kDataRowOffsets - 2;
// 2011-01-01 00:00: the creation date every file carries, for reproducible output.
constexpr double kCreationDate = 40544.0;

constexpr std::uint8_t kJetInt = kTypeInt;
constexpr std::uint8_t kJetLong = kTypeLong;
constexpr std::uint8_t kJetDateTime = kTypeDateTime;
constexpr std::uint8_t kJetText = kTypeText;
constexpr std::uint8_t kJetOle = kTypeOle;
constexpr std::uint8_t kJetMemo = kTypeMemo;

void Put16(std::uint8_t* p, std::uint32_t v) {
  p[0] = static_cast<std::uint8_t>(v);
  p[1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::uint8_t* p, std::uint32_t v) {
  Put16(p, v & 0xFFFF);
  Put16(p + 2, v >> 16);
}
void PutDouble(std::uint8_t* p, double d) {
  const auto bits = std::bit_cast<std::uint64_t>(d);
  Put32(p, static_cast<std::uint32_t>(bits));
  Put32(p + 4, static_cast<std::uint32_t>(bits >> 32));
}
void Append16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// Jet text: one byte per character after FF FE when every character is
// 1..0xFF (never for empty text, which readers would take as U+FEFF), else UCS-2LE.
std::vector<std::uint8_t> EncodeText(const std::u16string& s, const std::string& where) {
  std::vector<std::uint8_t> out;
  if (s.empty()) return out;
  if (s.front() == u'\uFEFF')
    throw WriteError(where + ": text must not begin with U+FEFF (readers take it for the compression mark)");
  const bool narrow = std::all_of(s.begin(), s.end(), [](char16_t c) { return c >= 1 && c <= 0xFF; });
  if (narrow) {
    out.reserve(s.size() + 2);
    out.push_back(0xFF);
    out.push_back(0xFE);
    for (char16_t c : s) out.push_back(static_cast<std::uint8_t>(c));
  } else {
    out.reserve(s.size() * 2);
    for (char16_t c : s) Append16(out, c);
  }
  return out;
}

bool ParseInt(const std::string& s, std::size_t pos, std::size_t len, int& out) {
  if (pos + len > s.size()) return false;
  int v = 0;
  for (std::size_t i = pos; i < pos + len; ++i) {
    if (s[i] < '0' || s[i] > '9') return false;
    v = v * 10 + (s[i] - '0');
  }
  out = v;
  return true;
}

struct ColSpec {
  std::string name;
  std::uint8_t type = kJetText;
  std::uint16_t size = 0;  // bytes: fixed width, or 2 x characters for text, 0 for memo/OLE
  bool fixed = false;
  std::uint16_t number = 0;
  std::uint16_t varIndex = 0;
  std::uint16_t fixedOffset = 0;
};

struct TableLayout {
  std::string name;
  bool system = false;
  std::vector<ColSpec> cols;
  std::uint16_t varCount = 0;
  std::uint16_t fixedBytes = 0;
};

TableLayout MakeLayout(std::string name, bool system, const std::vector<std::pair<std::string, std::pair<std::uint8_t, int>>>& cols) {
  TableLayout t;
  t.name = std::move(name);
  t.system = system;
  for (const auto& [colName, typeAndChars] : cols) {
    ColSpec c;
    c.name = colName;
    c.type = typeAndChars.first;
    c.number = static_cast<std::uint16_t>(t.cols.size());
    switch (c.type) {
      case kJetInt: c.size = 2; c.fixed = true; break;
      case kJetLong: c.size = 4; c.fixed = true; break;
      case kJetDateTime: c.size = 8; c.fixed = true; break;
      case kJetText: c.size = static_cast<std::uint16_t>(2 * typeAndChars.second); break;
      default: c.size = 0; break;
    }
    if (c.fixed) {
      c.fixedOffset = t.fixedBytes;
      t.fixedBytes = static_cast<std::uint16_t>(t.fixedBytes + c.size);
    } else {
      c.varIndex = t.varCount++;
    }
    t.cols.push_back(std::move(c));
  }
  return t;
}

// A value ready for a row: its bytes, or an overflow memo to be placed.
struct Encoded {
  bool isNull = true;
  std::vector<std::uint8_t> bytes;  // fixed bytes, text bytes or the memo's stored form
};

struct LvalRow {
  std::vector<std::uint8_t> bytes;  // payload; chained rows get their link written at layout
  std::optional<std::size_t> next;  // index of the next row of the chain
  bool chained = false;
};

struct MemoRef {
  std::size_t rowOffset;  // where the 12-byte header starts in the row
  std::size_t lval;       // first overflow row
};

struct BuiltRow {
  std::vector<std::uint8_t> bytes;
  std::vector<MemoRef> memos;
};

struct TablePlan {
  TableLayout layout;
  std::vector<BuiltRow> rows;
  std::vector<LvalRow> lvals;
  std::vector<std::vector<std::size_t>> dataPages;  // row indexes per page
  std::vector<std::vector<std::size_t>> lvalPages;  // overflow row indexes per page
  std::uint32_t tdefPage = 0;
  std::uint32_t mapPage = 0;
  std::uint32_t firstDataPage = 0;
  std::uint32_t firstLvalPage = 0;
  std::vector<std::uint32_t> lvalPointer;  // page << 8 | row of each overflow row
};

std::vector<std::vector<std::size_t>> PackRows(const std::vector<std::size_t>& sizes) {
  std::vector<std::vector<std::size_t>> pages;
  std::size_t used = kPageSize;  // forces a first page
  for (std::size_t i = 0; i < sizes.size(); ++i) {
    const std::size_t need = sizes[i] + 2;
    if (pages.empty() || pages.back().size() >= kMaxRowsPerPage || used + need > kPageSize) {
      pages.emplace_back();
      used = kDataRowOffsets;
    }
    pages.back().push_back(i);
    used += need;
  }
  return pages;
}

BuiltRow BuildRow(const TableLayout& t, const std::vector<Encoded>& cells, std::vector<LvalRow>& lvals,
                  const Options& options, const std::string& where) {
  BuiltRow row;
  auto& out = row.bytes;
  const std::size_t ncols = t.cols.size();
  out.resize(2 + t.fixedBytes, 0);
  Put16(out.data(), static_cast<std::uint32_t>(ncols));
  std::vector<std::uint8_t> nullMask((ncols + 7) / 8, 0);
  for (std::size_t i = 0; i < ncols; ++i) {
    if (!cells[i].isNull) nullMask[t.cols[i].number / 8] |= static_cast<std::uint8_t>(1u << (t.cols[i].number % 8));
    if (t.cols[i].fixed && !cells[i].isNull)
      std::copy(cells[i].bytes.begin(), cells[i].bytes.end(), out.begin() + 2 + t.cols[i].fixedOffset);
  }
  // Variable columns in their variable order; memos decide inline or overflow
  // once the rest of the row is known.
  std::vector<const ColSpec*> vars(t.varCount);
  std::vector<std::size_t> varCell(t.varCount);
  for (std::size_t i = 0; i < ncols; ++i)
    if (!t.cols[i].fixed) {
      vars[t.cols[i].varIndex] = &t.cols[i];
      varCell[t.cols[i].varIndex] = i;
    }
  std::size_t fixedPart = out.size() + 2 * (t.varCount + 1) + 2 + nullMask.size();
  for (std::size_t v = 0; v < t.varCount; ++v) {
    const Encoded& e = cells[varCell[v]];
    if (e.isNull) continue;
    fixedPart += vars[v]->type == kJetMemo ? kMemoHeaderSize : e.bytes.size();
  }
  std::size_t inlineRoom = fixedPart <= kMaxRowSize ? kMaxRowSize - fixedPart : 0;

  std::vector<std::uint16_t> offsets;
  for (std::size_t v = 0; v < t.varCount; ++v) {
    offsets.push_back(static_cast<std::uint16_t>(out.size()));
    const Encoded& e = cells[varCell[v]];
    if (e.isNull) continue;
    if (vars[v]->type != kJetMemo) {
      out.insert(out.end(), e.bytes.begin(), e.bytes.end());
      continue;
    }
    const std::size_t len = e.bytes.size();
    if (len > 0xFFFFFF) throw WriteError(where + ": memo longer than 16 MB");
    std::array<std::uint8_t, kMemoHeaderSize> header{};
    Put32(header.data(), static_cast<std::uint32_t>(len));
    if (len <= options.inlineMemoLimit && len <= inlineRoom) {
      header[3] = kMemoInline;
      inlineRoom -= len;
      out.insert(out.end(), header.begin(), header.end());
      out.insert(out.end(), e.bytes.begin(), e.bytes.end());
      continue;
    }
    row.memos.push_back({out.size(), lvals.size()});
    if (len <= kLvalSingleMax) {
      header[3] = kMemoOneRow;
      lvals.push_back({e.bytes, std::nullopt, false});
    } else {
      header[3] = kMemoChain;
      for (std::size_t pos = 0; pos < len; pos += kLvalChunk) {
        const std::size_t n = std::min(kLvalChunk, len - pos);
        LvalRow r;
        r.chained = true;
        r.bytes.assign(e.bytes.begin() + static_cast<std::ptrdiff_t>(pos),
                       e.bytes.begin() + static_cast<std::ptrdiff_t>(pos + n));
        if (pos + n < len) r.next = lvals.size() + 1;
        lvals.push_back(std::move(r));
      }
    }
    out.insert(out.end(), header.begin(), header.end());
  }
  const auto end = static_cast<std::uint16_t>(out.size());
  // Offsets are stored last-to-first so that, read backwards from the null
  // mask, offset 0 comes first.
  Append16(out, end);
  for (std::size_t v = t.varCount; v-- > 0;) Append16(out, offsets[v]);
  Append16(out, t.varCount);
  out.insert(out.end(), nullMask.begin(), nullMask.end());
  if (out.size() > kMaxRowSize)
    throw WriteError(where + ": row of " + std::to_string(out.size()) + " bytes exceeds the 4,060 bytes a Jet 4 row can hold");
  return row;
}

Encoded EncodeCell(const ColSpec& c, const Cell& cell, const std::string& where) {
  Encoded e;
  if (!cell) return e;
  e.isNull = false;
  switch (c.type) {
    case kJetDateTime:
      e.bytes.resize(8);
      PutDouble(e.bytes.data(), DateSerialOf(*cell));
      break;
    case kJetText: {
      const std::u16string s = Utf16Of(*cell);
      if (s.size() * 2 > c.size)
        throw WriteError(where + ": " + std::to_string(s.size()) + " characters exceed Text(" +
                         std::to_string(c.size / 2) + ")");
      e.bytes = EncodeText(s, where);
      break;
    }
    case kJetMemo:
      e.bytes = EncodeText(Utf16Of(*cell), where);
      break;
    default:
      throw WriteError(where + ": unsupported column type");
  }
  return e;
}

// Rows of system tables hold integers that the public Cell type cannot express.
Encoded IntCell(std::uint32_t v, std::size_t size) {
  Encoded e;
  e.isNull = false;
  e.bytes.resize(size);
  if (size == 2) Put16(e.bytes.data(), v);
  else Put32(e.bytes.data(), v);
  return e;
}

Encoded TextCell(const std::string& s) {
  Encoded e;
  e.isNull = false;
  e.bytes = EncodeText(Utf16Of(s), s);
  return e;
}

void WriteDataPageHeader(std::uint8_t* page, std::uint32_t owner) {
  page[0] = kDataPage;
  page[1] = 0x01;
  Put32(page + kDataOwner, owner);
}

// Rows are laid from the end of the page backwards; row 0 ends at the page end.
void FillDataPage(std::uint8_t* page, std::uint32_t owner, const std::vector<const std::vector<std::uint8_t>*>& rows) {
  WriteDataPageHeader(page, owner);
  std::size_t end = kPageSize;
  Put16(page + kDataRowCount, static_cast<std::uint32_t>(rows.size()));
  for (std::size_t r = 0; r < rows.size(); ++r) {
    end -= rows[r]->size();
    std::memcpy(page + end, rows[r]->data(), rows[r]->size());
    Put16(page + kDataRowOffsets + 2 * r, static_cast<std::uint32_t>(end));
  }
  const std::size_t used = kDataRowOffsets + 2 * rows.size() + (kPageSize - end);
  Put16(page + kDataFreeSpace, static_cast<std::uint32_t>(kPageSize - used));
}

// Usage map type 0: a first page and a bitmap of `count` pages from it.
std::vector<std::uint8_t> InlineMap(std::uint32_t first, std::size_t count) {
  std::vector<std::uint8_t> map(5 + (count + 7) / 8, 0);
  Put32(map.data() + 1, first);
  for (std::size_t i = 0; i < count; ++i) map[5 + i / 8] |= static_cast<std::uint8_t>(1u << (i % 8));
  return map;
}

void WriteTdef(std::uint8_t* page, const TablePlan& plan) {
  const TableLayout& t = plan.layout;
  std::vector<std::uint8_t> d(kTdefColumnsStart, 0);
  d[0] = kTdefPage;
  d[1] = 0x01;
  Put32(&d[kTdefMagic], kTdefMagicValue);
  Put32(&d[kTdefRowCount], static_cast<std::uint32_t>(plan.rows.size()));
  d[24] = 0x01;
  d[kTdefTableType] = t.system ? 'S' : 'N';
  Put16(&d[kTdefMaxColumns], static_cast<std::uint32_t>(t.cols.size()));
  Put16(&d[kTdefVarColumns], t.varCount);
  Put16(&d[kTdefColumns], static_cast<std::uint32_t>(t.cols.size()));
  Put32(&d[kTdefOwnedPagesMap], plan.mapPage << 8 | 0);
  Put32(&d[kTdefFreePagesMap], plan.mapPage << 8 | 1);
  for (const ColSpec& c : t.cols) {
    std::array<std::uint8_t, kColumnEntrySize> e{};
    e[kColType] = c.type;
    Put32(&e[kColMagic], kTdefMagicValue);
    Put16(&e[kColNumber], c.number);
    Put16(&e[kColVarIndex], c.varIndex);
    Put16(&e[kColNumberAgain], c.number);
    if (c.type == kJetText || c.type == kJetMemo) {
      e[kColSortOrder] = 0x09;
      e[kColSortOrder + 1] = 0x04;
      e[kColCompressed] = 0x01;  // compressed Unicode allowed
    }
    e[kColFlags] = static_cast<std::uint8_t>(0x02 | (c.fixed ? 0x01 : 0x00));
    Put16(&e[kColFixedOffset], c.fixedOffset);
    Put16(&e[kColSize], c.size);
    d.insert(d.end(), e.begin(), e.end());
  }
  for (const ColSpec& c : t.cols) {
    const std::u16string n = Utf16Of(c.name);
    Append16(d, static_cast<std::uint32_t>(n.size() * 2));
    for (char16_t ch : n) Append16(d, ch);
  }
  d.push_back(0xFF);
  d.push_back(0xFF);
  if (d.size() > kPageSize) throw WriteError(t.name + ": table definition does not fit one page");
  Put32(&d[kTdefLength], static_cast<std::uint32_t>(d.size() - 8));
  Put16(&d[kTdefFreeSpace], static_cast<std::uint32_t>(kPageSize - d.size()));
  std::memcpy(page, d.data(), d.size());
}

void CheckName(const std::string& name, const std::string& what) {
  const std::u16string n = Utf16Of(name);
  if (n.empty() || n.size() > 64) throw WriteError(what + " name must have 1 to 64 characters: \"" + name + "\"");
  for (char16_t c : n)
    if (c < 0x20 || c == u'.' || c == u'!' || c == u'`' || c == u'[' || c == u']')
      throw WriteError(what + " name has a character Access does not allow: \"" + name + "\"");
}

std::uint8_t JetTypeOf(ColumnType t) {
  switch (t) {
    case ColumnType::Text: return kJetText;
    case ColumnType::Memo: return kJetMemo;
    case ColumnType::DateTime: return kJetDateTime;
  }
  return kJetText;
}

}  // namespace

std::u16string Utf16Of(const std::string& utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  for (std::string_view rest = utf8; !rest.empty();) {
    const std::size_t n = tongshu::Utf8SequenceLength(rest);
    if (n == 0) throw WriteError("invalid UTF-8 in \"" + utf8 + "\"");
    char32_t cp = tongshu::DecodeUtf8Sequence(rest, n);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    rest.remove_prefix(n);
  }
  return out;
}

double DateSerialOf(const std::string& text) {
  int y = 0, m = 0, d = 0, hh = 0, mm = 0, ss = 0;
  const bool dateOk = (text.size() == 10 || text.size() == 19) && ParseInt(text, 0, 4, y) && text[4] == '-' &&
                      ParseInt(text, 5, 2, m) && text[7] == '-' && ParseInt(text, 8, 2, d);
  const bool timeOk = text.size() == 10 || (text[10] == ' ' && ParseInt(text, 11, 2, hh) && text[13] == ':' &&
                                            ParseInt(text, 14, 2, mm) && text[16] == ':' && ParseInt(text, 17, 2, ss));
  const std::chrono::year_month_day date{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m)},
                                         std::chrono::day{static_cast<unsigned>(d)}};
  if (!dateOk || !timeOk || y < 100 || !date.ok() || hh > 23 || mm > 59 || ss > 59)
    throw WriteError("not a date (YYYY-MM-DD[ HH:MM:SS]): \"" + text + "\"");
  const auto days = static_cast<double>(DaySerialOf(date));
  const double fraction = (hh * 3600 + mm * 60 + ss) / 86400.0;
  // Before 1899-12-30 Jet counts the time of day away from zero: -1.25 is 1899-12-29 06:00.
  return days < 0 ? days - fraction : days + fraction;
}

std::vector<std::uint8_t> WriteDatabase(const std::vector<Table>& tables, const Options& options) {
  std::map<std::string, bool> seen;
  std::vector<TablePlan> plans;
  plans.reserve(tables.size() + 1);

  // MSysObjects first: both readers find it on page 2.
  plans.push_back({});
  plans[0].layout = MakeLayout("MSysObjects", true,
                           {{"Id", {kJetLong, 0}},
                            {"Name", {kJetText, 128}},
                            {"Type", {kJetInt, 0}},
                            {"Flags", {kJetLong, 0}},
                            {"LvProp", {kJetOle, 0}}});
  seen[tongshu::AsciiLowerCopy("MSysObjects")] = true;

  for (const Table& t : tables) {
    CheckName(t.name, "table");
    if (seen[tongshu::AsciiLowerCopy(t.name)]) throw WriteError("table \"" + t.name + "\" given twice");
    seen[tongshu::AsciiLowerCopy(t.name)] = true;
    if (t.columns.empty()) throw WriteError("table \"" + t.name + "\" has no columns");
    if (t.columns.size() > 255) throw WriteError("table \"" + t.name + "\" has more than 255 columns");
    std::vector<std::pair<std::string, std::pair<std::uint8_t, int>>> cols;
    std::map<std::string, bool> colSeen;
    for (const Column& c : t.columns) {
      CheckName(c.name, "column");
      if (colSeen[tongshu::AsciiLowerCopy(c.name)]) throw WriteError("column \"" + c.name + "\" given twice in " + t.name);
      colSeen[tongshu::AsciiLowerCopy(c.name)] = true;
      if (c.type == ColumnType::Text && (c.maxChars < 1 || c.maxChars > 255))
        throw WriteError("column \"" + c.name + "\": Text length must be 1..255");
      cols.push_back({c.name, {JetTypeOf(c.type), c.maxChars}});
    }
    TablePlan plan;
    plan.layout = MakeLayout(t.name, false, cols);
    std::size_t rowNumber = 0;
    for (const Row& r : t.rows) {
      ++rowNumber;
      const std::string where = t.name + " row " + std::to_string(rowNumber);
      if (r.size() != t.columns.size())
        throw WriteError(where + ": " + std::to_string(r.size()) + " values for " + std::to_string(t.columns.size()) +
                         " columns");
      std::vector<Encoded> cells;
      cells.reserve(r.size());
      for (std::size_t i = 0; i < r.size(); ++i)
        cells.push_back(EncodeCell(plan.layout.cols[i], r[i], where + " column " + t.columns[i].name));
      plan.rows.push_back(BuildRow(plan.layout, cells, plan.lvals, options, where));
    }
    plans.push_back(std::move(plan));
  }

  // Page numbers: header 0, an empty data page 1, then per table its
  // definition, its map page, its data pages and its overflow pages.
  std::uint32_t next = 2;
  for (TablePlan& p : plans) {
    p.tdefPage = next++;
    p.mapPage = next++;
    if (&p == &plans[0]) {
      next += 1;  // one catalog page; its rows are built once the pages are known
      continue;
    }
    std::vector<std::size_t> sizes;
    for (const BuiltRow& r : p.rows) sizes.push_back(r.bytes.size());
    p.dataPages = PackRows(sizes);
    p.firstDataPage = next;
    next += static_cast<std::uint32_t>(p.dataPages.size());
    std::vector<std::size_t> lvalSizes;
    for (const LvalRow& l : p.lvals) lvalSizes.push_back(l.bytes.size() + (l.chained ? 4 : 0));
    p.lvalPages = PackRows(lvalSizes);
    p.firstLvalPage = next;
    next += static_cast<std::uint32_t>(p.lvalPages.size());
    p.lvalPointer.resize(p.lvals.size());
    for (std::size_t pg = 0; pg < p.lvalPages.size(); ++pg)
      for (std::size_t r = 0; r < p.lvalPages[pg].size(); ++r)
        p.lvalPointer[p.lvalPages[pg][r]] = (p.firstLvalPage + static_cast<std::uint32_t>(pg)) << 8 |
                                            static_cast<std::uint32_t>(r);
  }
  if (next > 0xFFFFFF) throw WriteError("file would need more than 16,777,215 pages");

  // Catalog rows: MSysObjects itself, then one per user table.
  {
    TablePlan& cat = plans[0];
    std::vector<LvalRow> none;
    for (const TablePlan& p : plans) {
      std::vector<Encoded> cells{IntCell(p.tdefPage, 4), TextCell(p.layout.name), IntCell(1, 2),
                                 IntCell(p.layout.system ? kSystemObjectFlags : 0, 4), Encoded{}};
      cat.rows.push_back(BuildRow(cat.layout, cells, none, options, "MSysObjects"));
    }
    std::vector<std::size_t> sizes;
    for (const BuiltRow& r : cat.rows) sizes.push_back(r.bytes.size());
    cat.dataPages = PackRows(sizes);
    if (cat.dataPages.size() != 1) throw WriteError("too many tables for one catalog page");
    cat.firstDataPage = cat.mapPage + 1;
  }

  std::vector<std::uint8_t> file(static_cast<std::size_t>(next) * kPageSize, 0);
  auto page = [&](std::uint32_t n) { return file.data() + static_cast<std::size_t>(n) * kPageSize; };

  // Header page.
  {
    std::uint8_t* h = page(0);
    h[1] = 0x01;
    std::memcpy(h + kMagicOffset, kMagic, sizeof kMagic - 1);
    Put32(h + kVersionOffset, kJet4Version);
    Put16(h + kCodePageOffset, 936);
    Put32(h + kDatabaseKeyOffset, 0);
    h[kSortOrderOffset] = 0x09;
    h[kSortOrderOffset + 1] = 0x04;
    PutDouble(h + kCreationDateOffset, kCreationDate);
    for (std::size_t i = 0; i < kMaskLength; ++i) h[kMaskStart + i] ^= kHeaderMask[i];
  }
  FillDataPage(page(1), 0, {});

  for (TablePlan& p : plans) {
    WriteTdef(page(p.tdefPage), p);
    const std::vector<std::uint8_t> owned = InlineMap(p.firstDataPage, p.dataPages.size());
    const std::vector<std::uint8_t> freeMap = InlineMap(p.firstDataPage, 0);
    FillDataPage(page(p.mapPage), 0, {&owned, &freeMap});
    for (BuiltRow& r : p.rows)
      for (const MemoRef& m : r.memos) Put32(r.bytes.data() + m.rowOffset + 4, p.lvalPointer[m.lval]);
    for (std::size_t pg = 0; pg < p.dataPages.size(); ++pg) {
      std::vector<const std::vector<std::uint8_t>*> rows;
      for (std::size_t idx : p.dataPages[pg]) rows.push_back(&p.rows[idx].bytes);
      FillDataPage(page(p.firstDataPage + static_cast<std::uint32_t>(pg)), p.tdefPage, rows);
    }
    std::vector<std::vector<std::uint8_t>> lvalBytes(p.lvals.size());
    for (std::size_t i = 0; i < p.lvals.size(); ++i) {
      const LvalRow& l = p.lvals[i];
      if (l.chained) {
        lvalBytes[i].resize(4);
        Put32(lvalBytes[i].data(), l.next ? p.lvalPointer[*l.next] : 0);
      }
      lvalBytes[i].insert(lvalBytes[i].end(), l.bytes.begin(), l.bytes.end());
    }
    for (std::size_t pg = 0; pg < p.lvalPages.size(); ++pg) {
      std::vector<const std::vector<std::uint8_t>*> rows;
      for (std::size_t idx : p.lvalPages[pg]) rows.push_back(&lvalBytes[idx]);
      std::uint8_t* lp = page(p.firstLvalPage + static_cast<std::uint32_t>(pg));
      FillDataPage(lp, 0, rows);
      std::memcpy(lp + kLvalTag, "LVAL", 4);
    }
  }
  return file;
}

}  // namespace jetwrite
