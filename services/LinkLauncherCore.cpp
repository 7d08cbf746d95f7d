#include "services/LinkLauncherCore.h"

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include <stdexcept>
#include <string>

#include "text/Cp936.h"
#endif

namespace tongshu {

#ifdef _WIN32
namespace {

HWND Owner(NativeWindow owner) { return reinterpret_cast<HWND>(owner); }

}  // namespace

void WindowsShellLinks::openLink(NativeWindow owner, std::string_view link) {
  try {
    const std::string file = cp936::FromUtf8(link);
    ShellExecuteA(Owner(owner), nullptr, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  } catch (const std::invalid_argument&) {
    // Not UTF-8: nothing the shell could open.
  }
}

void WindowsShellLinks::startBrowser(NativeWindow owner, std::string_view address) {
  try {
    const std::string parameters = cp936::FromUtf8(address);
    ShellExecuteA(Owner(owner), "open", kBrowserExecutable, parameters.c_str(), "", SW_SHOWNORMAL);
  } catch (const std::invalid_argument&) {
  }
}
#endif

}  // namespace tongshu
