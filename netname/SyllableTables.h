#pragma once
// The converter's generated tables (netname/syllable_tables.cpp, written by
// tools/pinyin-table/gen_syllable_tables.py).
#include <array>
#include <cstdint>

namespace tongshu::netname {

// One syllable: a length (0..6) and that many lower-case letters, rest zero.
struct SyllableRecord {
  std::uint8_t length;
  std::array<char, 6> letters;
};

inline constexpr int kSyllableRecords = 405;
inline constexpr int kIndexRows = 126;     // lead bytes 0x81..0xFE
inline constexpr int kIndexColumns = 191;  // trail bytes 0x40..0xFE
inline constexpr int kFirstLead = 0x81;
inline constexpr int kFirstTrail = 0x40;

// Record n (1..405) is SyllableTable[n - 1].
extern const std::array<SyllableRecord, kSyllableRecords> SyllableTable;
// Entry (lead - 0x81) * 191 + (trail - 0x40): 0 for no syllable, else a record number.
extern const std::array<std::uint16_t, kIndexRows * kIndexColumns> SyllableIndex;

}  // namespace tongshu::netname
