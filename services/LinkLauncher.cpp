#include "LinkLauncher.h"

#include <QDesktopServices>
#include <QUrl>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

namespace tongshu {

void DesktopLinkLauncher::openLink(const QString& link) {
#ifdef _WIN32
  ShellExecuteW(nullptr, nullptr, reinterpret_cast<LPCWSTR>(link.utf16()), nullptr, nullptr,
                SW_SHOWNORMAL);
#else
  QDesktopServices::openUrl(QUrl(link));
#endif
}

void DesktopLinkLauncher::startBrowser(const QString& address) {
#ifdef _WIN32
  ShellExecuteW(nullptr, L"open", L"IEXPLORE.EXE", reinterpret_cast<LPCWSTR>(address.utf16()),
                L"", SW_SHOWNORMAL);
#else
  // No fixed browser on Linux: the desktop's default one stands in.
  QDesktopServices::openUrl(QUrl(address));
#endif
}

}  // namespace tongshu
