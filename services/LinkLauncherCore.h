#pragma once
// Links handed to the system shell, without Qt: the part of the windows'
// launcher (LinkLauncher.h) that the Windows build and its tests share.
#include <cstdint>
#include <string_view>

namespace tongshu {

// A native window handle (HWND on Windows); 0 for none.
using NativeWindow = std::uintptr_t;

// Failures are silent by design: the shell's result is not looked at.
class ShellLinks {
 public:
  virtual ~ShellLinks() = default;
  // A web or mail link (UTF-8) opened with the user's default handler.
  virtual void openLink(NativeWindow owner, std::string_view link) = 0;
  // "IEXPLORE.EXE" started with the address (UTF-8) as its parameter.
  virtual void startBrowser(NativeWindow owner, std::string_view address) = 0;
};

inline constexpr char kBrowserExecutable[] = "IEXPLORE.EXE";

#ifdef _WIN32
// ShellExecuteA with the texts in code page 936: a link with no verb, as the
// file, no parameters, no directory; the browser with the verb "open", the
// address as the parameter and an empty directory; both shown normally.
class WindowsShellLinks final : public ShellLinks {
 public:
  void openLink(NativeWindow owner, std::string_view link) override;
  void startBrowser(NativeWindow owner, std::string_view address) override;
};
#endif

}  // namespace tongshu
