#pragma once
// The openers of the tool windows that live in other modules. The entry point
// fills them in; the main window only calls them, so it builds and tests alone.
#include <QString>
#include <functional>

class QWidget;

namespace tongshu {
struct Services;
}

namespace tongshu::shell {

using Opener = std::function<void(Services&, QWidget* parent)>;
using OmenOpener = std::function<void(Services&, QWidget* parent, const QString& title, int page)>;

struct ToolWindows {
  Opener almanac;    // 黄道吉日, non-modal
  OmenOpener omen;   // 占卜 items, non-modal
  Opener mobile;     // 手机号码分析, modal
  Opener qqNumber;   // QQ号码分析, modal
  Opener anyNumber;  // 更多数字分析, modal
  Opener netName;    // 网名分析, modal
  Opener calendar;   // 万年历法, modal
};

}  // namespace tongshu::shell
