#pragma once
// Places and values of the Jet 4 (Access 2000) file format that the reader,
// its structure check, the writer and the damaged-file tests all rely on.
// Integers are little-endian; a row pointer is page << 8 | row.
#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <utility>

namespace tongshu::jet4 {

inline constexpr std::size_t kPageSize = 4096;
// The whole file is limited to 2 GB.
inline constexpr std::size_t kMaxFileSize = std::size_t{1} << 31;

// First byte of a page.
inline constexpr std::uint8_t kDataPage = 0x01;
inline constexpr std::uint8_t kTdefPage = 0x02;
inline constexpr std::uint8_t kUsageMapPage = 0x05;

// Header page (page 0).
inline constexpr char kMagic[] = "Standard Jet DB";
inline constexpr char kAceMagic[] = "Standard ACE DB";
inline constexpr std::size_t kMagicOffset = 4;
inline constexpr std::size_t kVersionOffset = 0x14;  // 1 = Jet 4
inline constexpr std::uint8_t kJet4Version = 0x01;
// Bytes kMaskStart .. kMaskStart + kMaskLength are stored XOR-masked.
inline constexpr std::size_t kMaskStart = 0x18;
inline constexpr std::size_t kMaskLength = 128;
inline constexpr std::size_t kCodePageOffset = 0x3C;
inline constexpr std::size_t kDatabaseKeyOffset = 0x3E;  // non-zero: encrypted
inline constexpr std::size_t kSortOrderOffset = 0x6E;
inline constexpr std::size_t kCreationDateOffset = 0x72;
inline constexpr std::size_t kHeaderSize = kMaskStart + kMaskLength;

// Data page: type, free space, owning definition page, row count, then the
// row offsets; rows are stored from the end of the page backwards.
inline constexpr std::size_t kDataFreeSpace = 2;
inline constexpr std::size_t kDataOwner = 4;
inline constexpr std::size_t kDataRowCount = 12;
inline constexpr std::size_t kDataRowOffsets = 14;  // also the header's size
inline constexpr std::uint16_t kRowOffsetMask = 0x1FFF;
inline constexpr std::uint16_t kRowDeleted = 0x4000;
inline constexpr std::size_t kMaxRowSize = 4060;
// An overflow (long value) page carries "LVAL" where a data page names its owner.
inline constexpr std::size_t kLvalTag = kDataOwner;

// Table definition page.
inline constexpr std::size_t kTdefFreeSpace = 2;
inline constexpr std::size_t kTdefNextPage = 4;
inline constexpr std::size_t kTdefLength = 8;
inline constexpr std::size_t kTdefMagic = 12;  // 1625
inline constexpr std::size_t kTdefRowCount = 16;
inline constexpr std::size_t kTdefTableType = 40;  // 'N' user, 'S' system
inline constexpr std::size_t kTdefMaxColumns = 41;
inline constexpr std::size_t kTdefVarColumns = 43;
inline constexpr std::size_t kTdefColumns = 45;
inline constexpr std::size_t kTdefIndexes = 47;
inline constexpr std::size_t kTdefRealIndexes = 51;
inline constexpr std::size_t kTdefOwnedPagesMap = 55;  // row pointer
inline constexpr std::size_t kTdefFreePagesMap = 59;   // row pointer
inline constexpr std::size_t kTdefColumnsStart = 63;
inline constexpr std::size_t kIndexEntrySize = 12;
inline constexpr std::uint32_t kTdefMagicValue = 1625;

// One column entry of a table definition.
inline constexpr std::size_t kColumnEntrySize = 25;
inline constexpr std::size_t kColType = 0;
inline constexpr std::size_t kColMagic = 1;
inline constexpr std::size_t kColNumber = 5;
inline constexpr std::size_t kColVarIndex = 7;
inline constexpr std::size_t kColNumberAgain = 9;
inline constexpr std::size_t kColSortOrder = 11;
inline constexpr std::size_t kColFlags = 15;  // 0x01 fixed length
inline constexpr std::size_t kColCompressed = 16;
inline constexpr std::size_t kColFixedOffset = 21;
inline constexpr std::size_t kColSize = 23;

// Column types.
inline constexpr std::uint8_t kTypeBool = 0x01;
inline constexpr std::uint8_t kTypeInt = 0x03;
inline constexpr std::uint8_t kTypeLong = 0x04;
inline constexpr std::uint8_t kTypeDateTime = 0x08;
inline constexpr std::uint8_t kTypeText = 0x0A;
inline constexpr std::uint8_t kTypeOle = 0x0B;
inline constexpr std::uint8_t kTypeMemo = 0x0C;

// A memo field: u24 length and a flag byte, a row pointer, 4 unused bytes.
inline constexpr std::size_t kMemoHeaderSize = 12;
inline constexpr std::uint8_t kMemoInline = 0x80;
inline constexpr std::uint8_t kMemoOneRow = 0x40;
inline constexpr std::uint8_t kMemoChain = 0x00;

// Catalog (MSysObjects) flags of a system table.
inline constexpr std::uint32_t kSystemObjectFlags = 0x80000002u;

// DateTime values count days from 1899-12-30.
inline constexpr std::chrono::sys_days kDateEpoch{std::chrono::year{1899} / 12 / 30};

constexpr std::int64_t DaySerialOf(std::chrono::year_month_day date) {
  return (std::chrono::sys_days{date} - kDateEpoch).count();
}

constexpr std::chrono::year_month_day DateOfDaySerial(std::int64_t serial) {
  return std::chrono::year_month_day{kDateEpoch + std::chrono::days{serial}};
}

static_assert(DaySerialOf(std::chrono::year{2011} / 3 / 5) == 40607);

// The mask of the header: the RC4 keystream of the fixed key C7 DA 39 6B.
constexpr std::array<std::uint8_t, kMaskLength> HeaderMask() {
  constexpr std::array<std::uint8_t, 4> key{0xC7, 0xDA, 0x39, 0x6B};
  std::array<std::uint8_t, 256> s{};
  for (int i = 0; i < 256; ++i) s[i] = static_cast<std::uint8_t>(i);
  for (int i = 0, j = 0; i < 256; ++i) {
    j = (j + s[i] + key[i % 4]) & 0xFF;
    std::swap(s[i], s[j]);
  }
  std::array<std::uint8_t, kMaskLength> out{};
  for (std::size_t n = 0, i = 0, j = 0; n < kMaskLength; ++n) {
    i = (i + 1) & 0xFF;
    j = (j + s[i]) & 0xFF;
    std::swap(s[i], s[j]);
    out[n] = s[(s[i] + s[j]) & 0xFF];
  }
  return out;
}

inline constexpr std::array<std::uint8_t, kMaskLength> kHeaderMask = HeaderMask();
static_assert(kHeaderMask[0] == 0xB5 && kHeaderMask[1] == 0x6F && kHeaderMask[2] == 0x03 && kHeaderMask[3] == 0x62,
              "the keystream begins B5 6F 03 62");

}  // namespace tongshu::jet4
