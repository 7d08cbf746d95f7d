#include "services/LocaleFormats.h"

#include <string>

#include "text/AsciiText.h"

namespace tongshu {

void NormalizeLocaleFormats(LocaleStore& store) {
  std::array<char, kLocaleBufferSize> buffer{};
  std::string toWrite;
  for (const auto& target : kLocaleTargets) {
    // Cleared before each read so that a read that fails (a value of 24 bytes
    // or more) leaves an empty text, which differs from every target.
    buffer.fill('\0');
    store.GetLocaleInfoA(kLocaleSystemDefault, target.type, buffer.data(), kLocaleBufferSize);
    buffer.back() = '\0';
    const std::string_view current = TrimLow(std::string_view(buffer.data()));
    if (current != target.value) {
      toWrite.assign(target.value);
      store.SetLocaleInfoA(kLocaleSystemDefault, target.type, toWrite.c_str());
    }
  }
}

void NormalizeLocaleFormatsGuarded(LocaleStore& store) noexcept {
  try {
    NormalizeLocaleFormats(store);
  } catch (...) {
  }
}

}  // namespace tongshu
