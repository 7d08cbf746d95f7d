#pragma once
// UTF-8 to GBK through the C library, so the converter's tests state their
// inputs as readable text without depending on the Qt codec.
#include <iconv.h>

#include <cerrno>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tongshu::netname::testing {

inline std::string Gbk(std::string_view utf8) {
  iconv_t cd = iconv_open("GBK", "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no GBK converter in the C library");
  std::string out(utf8.size() * 2 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t inLeft = utf8.size();
  char* o = out.data();
  std::size_t outLeft = out.size();
  const std::size_t rc = iconv(cd, &in, &inLeft, &o, &outLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("not encodable in GBK: " + std::string(utf8));
  out.resize(out.size() - outLeft);
  return out;
}

}  // namespace tongshu::netname::testing
