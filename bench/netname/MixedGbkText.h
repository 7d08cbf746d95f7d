#pragma once
// A reproducible mixed GBK text: runs of common and rare Chinese characters,
// ASCII words, digits, blanks and punctuation, with now and then a full-width,
// Greek or numeral character, in the proportions of chat and forum text.
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>

namespace tongshu::netname::bench {

inline std::string MixedGbkText(std::size_t bytes, std::uint32_t seed = 20110305) {
  std::mt19937 rng(seed);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  std::string text;
  text.reserve(bytes + 16);
  auto pair = [&text](int lead, int trail) {
    text.push_back(static_cast<char>(lead));
    text.push_back(static_cast<char>(trail));
  };
  while (text.size() < bytes) {
    const int kind = pick(0, 99);
    if (kind < 62) {  // a run of GB2312 characters
      for (int i = pick(1, 12); i > 0; --i) {
        int lead = pick(0xB0, 0xF7);
        int trail = pick(0xA1, 0xFE);
        if (lead == 0xD7 && trail >= 0xFA) trail = 0xA1;
        pair(lead, trail);
      }
    } else if (kind < 67) {  // GBK extension characters
      for (int i = pick(1, 3); i > 0; --i) {
        int trail = pick(0x40, 0xFE);
        if (trail == 0x7F) trail = 0x80;
        pair(pick(0x81, 0xA0), trail);
      }
    } else if (kind < 80) {  // an ASCII word
      for (int i = pick(2, 9); i > 0; --i) text.push_back(static_cast<char>(pick(0, 3) ? pick('a', 'z') : pick('A', 'Z')));
    } else if (kind < 86) {  // a number
      for (int i = pick(1, 6); i > 0; --i) text.push_back(static_cast<char>(pick('0', '9')));
    } else if (kind < 93) {  // ASCII blanks and punctuation
      static constexpr char kMarks[] = " ,.!?;:-_()\"' \n";
      text.push_back(kMarks[pick(0, static_cast<int>(sizeof kMarks) - 2)]);
    } else if (kind < 97) {  // Chinese punctuation: 、。「」 and full-width ASCII
      if (pick(0, 1)) pair(0xA1, pick(0xA2, 0xAF));
      else pair(0xA3, pick(0xA1, 0xFE));
    } else if (kind < 98) {
      pair(0xA6, pick(0, 1) ? pick(0xA1, 0xB8) : pick(0xC1, 0xD8));  // Greek
    } else {
      pair(0xA2, pick(0xB1, 0xFC));  // enclosed and Roman numerals
    }
  }
  text.resize(bytes);
  return text;
}

}  // namespace tongshu::netname::bench
