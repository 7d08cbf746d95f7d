#pragma once
// The five date and time settings that start-up brings to fixed values, behind
// an interface shaped like GetLocaleInfoA / SetLocaleInfoA.
#include <cstdint>
#include <filesystem>
#include <map>

namespace tongshu {

using LCID = std::uint32_t;
using LCTYPE = std::uint32_t;

inline constexpr LCID kLocaleSystemDefault = 0x0800;
inline constexpr LCTYPE kLocaleSLongDate = 0x20;
inline constexpr LCTYPE kLocaleSShortDate = 0x1F;
inline constexpr LCTYPE kLocaleSTimeFormat = 0x1003;
inline constexpr LCTYPE kLocaleSDate = 0x1D;
inline constexpr LCTYPE kLocaleSTime = 0x1E;

class LocaleStore {
 public:
  virtual ~LocaleStore() = default;
  // Copies the value with its NUL into buf. Returns the count written, NUL
  // included, or 0 when the setting is unknown or does not fit into size.
  virtual int GetLocaleInfoA(LCID locale, LCTYPE type, char* buf, int size) = 0;
  // Returns false when the value could not be stored.
  virtual bool SetLocaleInfoA(LCID locale, LCTYPE type, const char* value) = 0;
};

// Linux stand-in: the settings live in one small per-user file, rewritten
// whole through a temporary file and a rename so that a broken start never
// leaves half a file behind. A symbolic link is written through; a read-only
// file is a failed write, as a locked setting is on Windows.
class FileLocaleStore final : public LocaleStore {
 public:
  explicit FileLocaleStore(std::filesystem::path file);
  // $XDG_CONFIG_HOME/tongshu/locale.conf, else ~/.config/tongshu/locale.conf,
  // ~ from $HOME or, without it, from the user's password-database entry.
  // Empty, and so no file, when none of them names a folder.
  static std::filesystem::path DefaultPath();

  int GetLocaleInfoA(LCID locale, LCTYPE type, char* buf, int size) override;
  bool SetLocaleInfoA(LCID locale, LCTYPE type, const char* value) override;

  const std::filesystem::path& path() const { return file_; }

 private:
  std::map<LCTYPE, std::string> load() const;
  bool save(const std::map<LCTYPE, std::string>& values) const;
  std::filesystem::path file_;
};

#ifdef _WIN32
class WindowsLocaleStore final : public LocaleStore {
 public:
  int GetLocaleInfoA(LCID locale, LCTYPE type, char* buf, int size) override;
  bool SetLocaleInfoA(LCID locale, LCTYPE type, const char* value) override;
};
#endif

}  // namespace tongshu
