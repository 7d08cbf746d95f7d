#pragma once
#include <QString>

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

class DesktopLinkLauncher final : public LinkLauncher {
 public:
  void openLink(const QString& link) override;
  void startBrowser(const QString& address) override;
};

}  // namespace tongshu
