#include "db/SelectStatement.h"

#include <charconv>

#include "db/Database.h"
#include "db/Jet4Format.h"
#include "text/AsciiText.h"

namespace tongshu::db {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view sql) : sql_(sql) {}

  SelectStatement parse() {
    SelectStatement st;
    expectKeyword("select");
    if (acceptKeyword("top")) {
      const std::string_view digits = digitsToken();
      std::int64_t n = 0;
      const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), n);
      if (digits.empty() || ec != std::errc{} || end != digits.data() + digits.size() || n < 1)
        fail("TOP 后应为正整数");
      st.top = n;
    }
    skipBlanks();
    if (peek() == '*') {
      ++pos_;
    } else {
      st.columns.push_back(identifier("字段名"));
      while (acceptChar(',')) st.columns.push_back(identifier("字段名"));
    }
    expectKeyword("from");
    st.table = identifier("表名");
    expectKeyword("where");
    st.whereColumn = identifier("条件字段名");
    if (!acceptChar('=')) fail("条件只支持 字段 = 值");
    st.value = literal();
    acceptChar(';');
    skipBlanks();
    if (pos_ != sql_.size()) fail("语句末尾有多余内容");
    return st;
  }

 private:
  [[noreturn]] void fail(const std::string& why) const {
    throw DbError("不支持的查询语句：" + std::string(sql_) + "（" + why + "）");
  }

  char peek() const { return pos_ < sql_.size() ? sql_[pos_] : '\0'; }

  void skipBlanks() {
    while (pos_ < sql_.size() && IsAsciiSpace(sql_[pos_])) ++pos_;
  }

  static bool IsWordChar(char c) {
    return IsAsciiAlnum(c) || c == '_' || static_cast<unsigned char>(c) >= 0x80;
  }

  std::string_view word() {
    skipBlanks();
    const std::size_t start = pos_;
    while (pos_ < sql_.size() && IsWordChar(sql_[pos_])) ++pos_;
    return sql_.substr(start, pos_ - start);
  }

  bool acceptKeyword(std::string_view kw) {
    const std::size_t save = pos_;
    if (EqualsIgnoreAsciiCase(word(), kw)) return true;
    pos_ = save;
    return false;
  }

  void expectKeyword(std::string_view kw) {
    if (!acceptKeyword(kw)) {
      fail("此处应为 " + AsciiUpperCopy(kw));
    }
  }

  bool acceptChar(char c) {
    skipBlanks();
    if (peek() != c) return false;
    ++pos_;
    return true;
  }

  std::string_view digitsToken() {
    skipBlanks();
    const std::size_t start = pos_;
    while (pos_ < sql_.size() && IsAsciiDigit(sql_[pos_])) ++pos_;
    return sql_.substr(start, pos_ - start);
  }

  static bool IsKeyword(std::string_view w) {
    for (std::string_view kw : {"select", "top", "from", "where", "and", "or", "not", "order", "by", "like"})
      if (EqualsIgnoreAsciiCase(w, kw)) return true;
    return false;
  }

  // A bare name or one in [brackets].
  std::string identifier(const char* what) {
    skipBlanks();
    if (peek() == '[') {
      const std::size_t close = sql_.find(']', pos_ + 1);
      if (close == std::string_view::npos || close == pos_ + 1) fail(std::string(what) + "的方括号不完整");
      std::string name(sql_.substr(pos_ + 1, close - pos_ - 1));
      pos_ = close + 1;
      return name;
    }
    const std::string_view w = word();
    if (w.empty() || IsKeyword(w) || IsAsciiDigit(w.front()))
      fail(std::string("此处应为") + what);
    return std::string(w);
  }

  Literal literal() {
    skipBlanks();
    Literal lit;
    const std::size_t start = pos_;
    const char c = peek();
    if (c == '#') {
      lit.kind = Literal::Kind::Date;
      const std::size_t close = sql_.find('#', pos_ + 1);
      if (close == std::string_view::npos) fail("日期缺少结尾的 #");
      const std::string_view body = sql_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
      int parts[3] = {0, 0, 0};
      std::size_t p = 0;
      for (int i = 0; i < 3; ++i) {
        const std::size_t dash = i < 2 ? body.find('-', p) : body.size();
        if (dash == std::string_view::npos) fail("日期应写作 #年-月-日#");
        const std::string_view part = body.substr(p, dash - p);
        const auto [end, ec] = std::from_chars(part.data(), part.data() + part.size(), parts[i]);
        if (part.empty() || part.size() > (i == 0 ? 4u : 2u) || ec != std::errc{} || end != part.data() + part.size())
          fail("日期应写作 #年-月-日#");
        p = dash + 1;
      }
      const auto serial = DaySerialOf(parts[0], parts[1], parts[2]);
      if (!serial) fail("不存在的日期 " + std::string(body));
      lit.daySerial = *serial;
    } else if (c == '\'') {
      lit.kind = Literal::Kind::Text;
      ++pos_;
      for (;;) {
        if (pos_ >= sql_.size()) fail("文本缺少结尾的引号");
        if (sql_[pos_] == '\'') {
          if (pos_ + 1 < sql_.size() && sql_[pos_ + 1] == '\'') {
            lit.text.push_back('\'');
            pos_ += 2;
            continue;
          }
          ++pos_;
          break;
        }
        lit.text.push_back(sql_[pos_++]);
      }
    } else if (c == '-' || c == '+' || IsAsciiDigit(c)) {
      lit.kind = Literal::Kind::Number;
      std::size_t p = pos_ + ((c == '-' || c == '+') ? 1 : 0);
      const std::size_t digitsStart = p;
      while (p < sql_.size() && IsAsciiDigit(sql_[p])) ++p;
      std::size_t intDigits = p - digitsStart;
      std::size_t fracDigits = 0;
      if (p < sql_.size() && sql_[p] == '.') {
        const std::size_t f = ++p;
        while (p < sql_.size() && IsAsciiDigit(sql_[p])) ++p;
        fracDigits = p - f;
      }
      if (intDigits + fracDigits == 0 || intDigits > 15) fail("无效的数字");
      const std::string_view num = sql_.substr(c == '+' ? pos_ + 1 : pos_, p - (c == '+' ? pos_ + 1 : pos_));
      const auto [end, ec] = std::from_chars(num.data(), num.data() + num.size(), lit.number);
      if (ec != std::errc{} || end != num.data() + num.size()) fail("无效的数字");
      pos_ = p;
      if (pos_ < sql_.size() && IsWordChar(sql_[pos_])) fail("无效的数字");
    } else {
      fail("条件的值应为 #日期#、'文本' 或数字");
    }
    lit.source = std::string(sql_.substr(start, pos_ - start));
    return lit;
  }

  std::string_view sql_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::int64_t> DaySerialOf(int year, int month, int day) {
  if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31) return std::nullopt;
  const std::chrono::year_month_day date{std::chrono::year{year}, std::chrono::month{static_cast<unsigned>(month)},
                                         std::chrono::day{static_cast<unsigned>(day)}};
  if (!date.ok()) return std::nullopt;
  return jet4::DaySerialOf(date);
}

SelectStatement ParseSelect(std::string_view sql) { return Parser(sql).parse(); }

}  // namespace tongshu::db
