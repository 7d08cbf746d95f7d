#pragma once
// Text rules that must not follow the user's C locale (a Turkish dotless i, a
// decimal comma): ASCII-only case folding and blanks, and numbers read the
// same way everywhere.
#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace tongshu {

// The program's trimming: every leading and trailing character of code 32 or
// below (blanks and control characters).
constexpr bool IsLowCode(char c) { return static_cast<unsigned char>(c) <= 32; }

constexpr std::string_view TrimLow(std::string_view s) {
  while (!s.empty() && IsLowCode(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsLowCode(s.back())) s.remove_suffix(1);
  return s;
}

constexpr bool IsAsciiSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Blanks around a value of a key=value list, such as a connection string.
constexpr std::string_view TrimAsciiSpace(std::string_view s) {
  while (!s.empty() && IsAsciiSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsAsciiSpace(s.back())) s.remove_suffix(1);
  return s;
}
constexpr bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }
constexpr bool IsAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
constexpr bool IsAsciiAlnum(char c) { return IsAsciiDigit(c) || IsAsciiAlpha(c); }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

inline std::string AsciiLowerCopy(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

inline std::string AsciiUpperCopy(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

// A decimal number with a point, as the C locale writes it, and nothing else.
inline std::optional<double> ParseDecimal(std::string_view s) {
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc{} || end != s.data() + s.size() || s.empty()) return std::nullopt;
  return v;
}

// The system's text for an errno value, safe to call from any thread.
inline std::string ErrorText(int errnum) { return std::generic_category().message(errnum); }

}  // namespace tongshu
