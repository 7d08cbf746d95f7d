// The pinyin converter on any bytes, any flags and any length limit, and the
// net-name reading that runs it on a nickname.
#include <climits>
#include <cstring>
#include <string>

#include "netname/NetName.h"
#include "netname/Pinyin.h"
#include "tests/fuzz/FuzzCheck.h"

using namespace tongshu::netname;

namespace {

std::int32_t Int32At(const std::uint8_t* p) {
  std::uint32_t v = 0;
  std::memcpy(&v, p, sizeof v);
  return static_cast<std::int32_t>(v);
}

bool IsTrait(const std::string& s) {
  for (char c = 'a'; c <= 'z'; ++c)
    if (s == TraitOfLetter(std::string(1, c))) return true;
  return false;
}

}  // namespace

// Input: 4 bytes of flags, 4 bytes of maximum length (both little-endian,
// any value), then the GBK text.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  const PinyinFlags flags = Int32At(data);
  const int maxLength = Int32At(data + 4);
  const std::string_view text = tongshu::fuzz::AsText(data + 8, size - 8);

  const std::string out = ConvertToPinyin(text, flags, maxLength);
  if (flags < 0 || maxLength <= 0 || text.empty()) {
    FUZZ_CHECK(out.empty());
  } else {
    FUZZ_CHECK(out.size() <= static_cast<std::size_t>(maxLength));
    // The limit cuts the unlimited result; it never changes what comes before.
    const std::string whole = ConvertToPinyin(text, flags, INT_MAX);
    FUZZ_CHECK(whole.compare(0, out.size(), out) == 0);
    FUZZ_CHECK(out.size() == std::min(whole.size(), static_cast<std::size_t>(maxLength)));
    // Only the three low bits mean anything.
    FUZZ_CHECK(ConvertToPinyin(text, flags & 7, maxLength) == out);
    if (!(flags & pfKeepAllSingle))
      for (const char c : out) FUZZ_CHECK(c > 0x20 && c < 0x7F);
  }

  // The C entry reads up to the first zero byte and ends its result at the first zero byte.
  const std::string zText(text.substr(0, text.find('\0')));
  const PinyinZBuffer z(ConvertToPinyinZ(zText.c_str(), flags, maxLength));
  FUZZ_CHECK(z != nullptr);
  const std::string viaZ = ConvertToPinyin(zText, flags, maxLength);
  FUZZ_CHECK(std::string(z.get()) == viaZ.substr(0, viaZ.find('\0')));

  const std::string trait = NetNamePersonality(text);
  FUZZ_CHECK(trait.empty() || IsTrait(trait));
  return 0;
}
