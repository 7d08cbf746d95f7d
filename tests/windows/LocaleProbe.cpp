// The start-up's locale step against this Windows' own settings, as a fresh
// process runs it. Prints the settings it wrote (LCTYPEs in hex, in order),
// then for each of the five the value GetLocaleInfoA reads afterwards, as hex
// bytes.
#include <cstdio>
#include <vector>

#include "services/LocaleFormats.h"
#include "services/LocaleStore.h"

namespace {

// Records the writes that reach the real store.
struct RecordingStore final : tongshu::LocaleStore {
  tongshu::WindowsLocaleStore real;
  std::vector<tongshu::LCTYPE> writes;
  int GetLocaleInfoA(tongshu::LCID l, tongshu::LCTYPE t, char* b, int n) override { return real.GetLocaleInfoA(l, t, b, n); }
  bool SetLocaleInfoA(tongshu::LCID l, tongshu::LCTYPE t, const char* v) override {
    writes.push_back(t);
    return real.SetLocaleInfoA(l, t, v);
  }
};

}  // namespace

int main() {
  RecordingStore store;
  tongshu::NormalizeLocaleFormatsGuarded(store);
  std::printf("writes");
  for (const tongshu::LCTYPE t : store.writes) std::printf(" %x", static_cast<unsigned>(t));
  std::printf("\n");
  for (const auto& target : tongshu::kLocaleTargets) {
    char buf[64] = {};
    const int n = store.real.GetLocaleInfoA(tongshu::kLocaleSystemDefault, target.type, buf, sizeof buf);
    std::printf("%x", static_cast<unsigned>(target.type));
    for (int i = 0; i + 1 < n; ++i) std::printf(" %02x", static_cast<unsigned char>(buf[i]));
    std::printf("\n");
  }
  return 0;
}
