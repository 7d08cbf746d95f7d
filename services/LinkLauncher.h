#pragma once
#include <QPointer>
#include <QString>
#include <QWidget>

#include "services/LinkLauncherCore.h"

namespace tongshu {

// Links handed to the desktop. Failures are silent by design.
class LinkLauncher {
 public:
  virtual ~LinkLauncher() = default;
  // A web or mail link opened with the user's default handler.
  virtual void openLink(const QString& link) = 0;
  // The explicit browser start used on exit and by the banner.
  virtual void startBrowser(const QString& address) = 0;
};

// On Windows the links go to the shell (ShellLinks) owned by the main window;
// on Linux the desktop's default handler stands in for both.
class DesktopLinkLauncher final : public LinkLauncher {
 public:
  DesktopLinkLauncher();
  // Everything goes to `shell`, which must outlive the launcher.
  explicit DesktopLinkLauncher(ShellLinks& shell);

  // The window whose native handle owns what the shell shows: the main window.
  void setOwner(QWidget* owner) { owner_ = owner; }

  void openLink(const QString& link) override;
  void startBrowser(const QString& address) override;

 private:
  NativeWindow owner() const;

#ifdef _WIN32
  WindowsShellLinks windowsShell_;
#endif
  ShellLinks* shell_ = nullptr;
  QPointer<QWidget> owner_;
};

}  // namespace tongshu
