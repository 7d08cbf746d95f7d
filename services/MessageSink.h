#pragma once
#include <QString>

class QWidget;

namespace tongshu {

// Every message box the program shows goes through here, so tests can record
// messages instead of blocking on a box.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // The information box: caption "提示", one OK button, information icon.
  virtual void ShowInfo(const QString& text) = 0;
  // The general error report: a failure's own text, captioned with the
  // application title "吉星通书".
  virtual void ShowError(const QString& text) = 0;
};

class QtMessageSink final : public MessageSink {
 public:
  void ShowInfo(const QString& text) override;
  void ShowError(const QString& text) override;
};

inline constexpr char16_t kInfoCaption[] = u"提示";

}  // namespace tongshu
