#pragma once
#include <array>
#include <string_view>

#include "services/LocaleStore.h"

namespace tongshu {

struct LocaleTarget {
  LCTYPE type;
  std::string_view value;  // GBK bytes
};

// In the order start-up writes them. The long-date pattern holds 年月日 in GBK.
inline constexpr std::array<LocaleTarget, 5> kLocaleTargets{{
    {kLocaleSLongDate, "yyyy'\xC4\xEA'M'\xD4\xC2'd'\xC8\xD5'"},
    {kLocaleSShortDate, "yyyy-MM-dd"},
    {kLocaleSTimeFormat, "H:mm:ss"},
    {kLocaleSDate, "-"},
    {kLocaleSTime, ":"},
}};

inline constexpr int kLocaleBufferSize = 24;

// Reads each setting, trims it, and writes the target only where it differs.
// Failed reads and writes are ignored; exceptions propagate to the caller's guard.
void NormalizeLocaleFormats(LocaleStore& store);

// The start-up step: any exception ends it at once, silently; settings already
// written stay written.
void NormalizeLocaleFormatsGuarded(LocaleStore& store) noexcept;

}  // namespace tongshu
