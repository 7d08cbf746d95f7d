#include "services/LinkLauncher.h"

#include <QDesktopServices>
#include <QUrl>

namespace tongshu {

#ifdef _WIN32
DesktopLinkLauncher::DesktopLinkLauncher() : shell_(&windowsShell_) {}
#else
DesktopLinkLauncher::DesktopLinkLauncher() = default;
#endif

DesktopLinkLauncher::DesktopLinkLauncher(ShellLinks& shell) : shell_(&shell) {}

NativeWindow DesktopLinkLauncher::owner() const {
  return owner_ ? static_cast<NativeWindow>(owner_->winId()) : NativeWindow{0};
}

void DesktopLinkLauncher::openLink(const QString& link) {
  if (shell_) {
    shell_->openLink(owner(), link.toStdString());
  } else {
    QDesktopServices::openUrl(QUrl(link));
  }
}

void DesktopLinkLauncher::startBrowser(const QString& address) {
  if (shell_) {
    shell_->startBrowser(owner(), address.toStdString());
  } else {
    // No fixed browser on Linux: the desktop's default one stands in.
    QDesktopServices::openUrl(QUrl(address));
  }
}

}  // namespace tongshu
