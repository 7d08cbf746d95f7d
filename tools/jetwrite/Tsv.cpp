#include "tools/jetwrite/Tsv.h"

#include <zlib.h>

#include <charconv>
#include <memory>

namespace jetwrite {
namespace {

std::vector<std::string_view> SplitTabs(std::string_view line) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (;;) {
    const std::size_t tab = line.find('\t', start);
    out.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
    if (tab == std::string_view::npos) return out;
    start = tab + 1;
  }
}

Column ParseColumn(std::string_view decl, const std::string& where) {
  const std::size_t colon = decl.rfind(':');
  if (colon == std::string_view::npos || colon == 0)
    throw WriteError(where + ": column declaration must read name:Type, not \"" + std::string(decl) + "\"");
  Column c;
  c.name = std::string(decl.substr(0, colon));
  const std::string_view type = decl.substr(colon + 1);
  if (type == "Memo") {
    c.type = ColumnType::Memo;
  } else if (type == "DateTime") {
    c.type = ColumnType::DateTime;
  } else if (type.size() > 6 && type.substr(0, 5) == "Text(" && type.back() == ')') {
    c.type = ColumnType::Text;
    const std::string_view digits = type.substr(5, type.size() - 6);
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), c.maxChars);
    if (ec != std::errc{} || end != digits.data() + digits.size() || c.maxChars < 1 || c.maxChars > 255)
      throw WriteError(where + ": Text length must be 1..255 in \"" + std::string(decl) + "\"");
  } else {
    throw WriteError(where + ": unknown column type \"" + std::string(type) + "\" (Text(n), Memo, DateTime)");
  }
  return c;
}

Cell Unescape(std::string_view v, const std::string& where) {
  if (v == "\\N") return std::nullopt;
  std::string out;
  out.reserve(v.size());
  for (std::size_t i = 0; i < v.size(); ++i) {
    if (v[i] != '\\') {
      out.push_back(v[i]);
      continue;
    }
    if (++i == v.size()) throw WriteError(where + ": value ends in a lone backslash");
    switch (v[i]) {
      case 't': out.push_back('\t'); break;
      case 'n': out.push_back('\n'); break;
      case 'r': out.push_back('\r'); break;
      case '\\': out.push_back('\\'); break;
      default: throw WriteError(where + ": unknown escape \\" + std::string(1, v[i]));
    }
  }
  return out;
}

}  // namespace

Table ParseTsv(std::string tableName, std::string_view text, const std::string& source) {
  Table t;
  t.name = std::move(tableName);
  std::size_t lineNo = 0;
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t nl = text.find('\n', pos);
    if (nl == std::string_view::npos) nl = text.size();
    std::string_view line = text.substr(pos, nl - pos);
    pos = nl + 1;
    ++lineNo;
    const std::string where = source + ":" + std::to_string(lineNo);
    if (!line.empty() && line.back() == '\r') throw WriteError(where + ": CR before LF (the format uses LF only)");
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (lineNo == 1) {
      for (std::string_view f : fields) t.columns.push_back(ParseColumn(f, where));
      continue;
    }
    if (fields.size() != t.columns.size())
      throw WriteError(where + ": " + std::to_string(fields.size()) + " values for " +
                       std::to_string(t.columns.size()) + " columns");
    Row r;
    r.reserve(fields.size());
    for (std::string_view f : fields) r.push_back(Unescape(f, where));
    t.rows.push_back(std::move(r));
  }
  if (lineNo == 0) throw WriteError(source + ": empty input, no column declarations");
  return t;
}

std::string ReadMaybeGzipped(const std::string& path) {
  // gzread passes plain files through unchanged.
  std::unique_ptr<gzFile_s, int (*)(gzFile)> f(gzopen(path.c_str(), "rb"), gzclose);
  if (!f) throw WriteError(path + ": cannot open");
  std::string out;
  char buf[1 << 16];
  for (;;) {
    const int n = gzread(f.get(), buf, sizeof buf);
    if (n < 0) throw WriteError(path + ": read error or damaged gzip data");
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  return out;
}

}  // namespace jetwrite
