#pragma once
// What every fuzz target shares: the libFuzzer entry points and a check that
// stops the run with the offending input when an invariant breaks. The same
// sources build as libFuzzer targets (clang, preset "fuzz") and as corpus
// replays with ReplayMain.cpp (any compiler, run by ctest).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace tongshu::fuzz {

[[noreturn]] inline void Fail(const char* file, int line, const char* what) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::abort();
}

inline std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// True when s is well-formed UTF-8 (no surrogates, no overlong forms).
inline bool IsUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t n = 0;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b < 0x80) n = 1;
    else if (b >= 0xC2 && b <= 0xDF) n = 2;
    else if (b == 0xE0) n = 3, lo = 0xA0;
    else if (b == 0xED) n = 3, hi = 0x9F;
    else if (b >= 0xE1 && b <= 0xEF) n = 3;
    else if (b == 0xF0) n = 4, lo = 0x90;
    else if (b >= 0xF1 && b <= 0xF3) n = 4;
    else if (b == 0xF4) n = 4, hi = 0x8F;
    else return false;
    if (i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      const auto c = static_cast<unsigned char>(s[i + k]);
      if (c < (k == 1 ? lo : 0x80) || c > (k == 1 ? hi : 0xBF)) return false;
    }
    i += n;
  }
  return true;
}

}  // namespace tongshu::fuzz

#define FUZZ_CHECK(cond) \
  do { \
    if (!(cond)) ::tongshu::fuzz::Fail(__FILE__, __LINE__, #cond); \
  } while (0)
