#include "services/KeyboardConventions.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTextEdit>
#include <algorithm>

namespace tongshu {
namespace {

constexpr char kKeyFiltered[] = "tongshu_key_filtered";

Qt::KeyboardModifiers Plain(const QKeyEvent& e) { return e.modifiers() & ~Qt::KeypadModifier; }

bool IsKeyFiltered(const QLineEdit& box) { return box.property(kKeyFiltered).toBool(); }

QString FirstLine(const QString& text) {
  const qsizetype end = text.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
  return end < 0 ? text : text.left(end);
}

void PasteFirstLine(QLineEdit& box, QClipboard::Mode mode) {
  if (box.isReadOnly()) return;
  box.insert(FirstLine(QGuiApplication::clipboard()->text(mode)));
}

// The first menu opens, from which the arrows reach every other.
bool OpenMenuBar(QWidget& widget) {
  auto* main = qobject_cast<QMainWindow*>(widget.window());
  auto* bar = main ? qobject_cast<QMenuBar*>(main->menuWidget()) : nullptr;
  if (!bar || !bar->isVisible() || bar->actions().isEmpty()) return false;
  bar->setActiveAction(bar->actions().constFirst());
  return true;
}

bool ScrollToEnd(QAbstractScrollArea& text, bool end) {
  QScrollBar* bar = text.verticalScrollBar();
  bar->setValue(end ? bar->maximum() : bar->minimum());
  return true;
}

bool IsReadOnlyText(QObject* o) {
  if (auto* plain = qobject_cast<QPlainTextEdit*>(o)) return plain->isReadOnly();
  if (auto* rich = qobject_cast<QTextEdit*>(o)) return rich->isReadOnly();
  return false;
}

QComboBox* EditableComboOf(QObject* o) {
  auto* combo = qobject_cast<QComboBox*>(o);
  if (!combo) {
    auto* box = qobject_cast<QLineEdit*>(o);
    combo = box ? qobject_cast<QComboBox*>(box->parent()) : nullptr;
    if (combo && combo->lineEdit() != box) combo = nullptr;
  }
  return combo && combo->isEditable() && combo->count() > 0 ? combo : nullptr;
}

// The list's choice the user cannot see no longer steers the arrows once the
// text says something else.
bool StepFromText(QComboBox& combo, bool down) {
  const QString text = combo.currentText();
  if (combo.currentIndex() >= 0 && combo.itemText(combo.currentIndex()) == text) return false;
  const int match = combo.findText(text, Qt::MatchExactly);
  const int target = match < 0 ? 0 : std::clamp(match + (down ? 1 : -1), 0, combo.count() - 1);
  combo.setCurrentIndex(target);
  // The box shows the item even where the index did not change.
  combo.setEditText(combo.itemText(target));
  emit combo.activated(target);
  return true;
}

void ShowBoxMenu(QLineEdit& box, const QPoint& globalPos) {
  QMenu* menu = box.createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // In the box's face, as the window's other texts, not in the menus' default.
  menu->setFont(box.font());
  const QString pasteText = QLineEdit::tr("&Paste");
  for (QAction* action : menu->actions()) {
    if (action->text().startsWith(pasteText)) {
      QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
      QObject::connect(action, &QAction::triggered, &box,
                       [&box] { PasteFirstLine(box, QClipboard::Clipboard); });
    }
    if (IsKeyFiltered(box)) action->setText(action->text().section(u'\t', 0, 0));
  }
  menu->popup(globalPos);
}

class Conventions final : public QObject {
 public:
  using QObject::QObject;

  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        return keyPress(watched, *static_cast<QKeyEvent*>(event));
      case QEvent::ContextMenu:
        if (auto* box = qobject_cast<QLineEdit*>(watched); box && box->contextMenuPolicy() == Qt::DefaultContextMenu) {
          ShowBoxMenu(*box, static_cast<QContextMenuEvent*>(event)->globalPos());
          return true;
        }
        return false;
      case QEvent::MouseButtonRelease:
        return middlePaste(watched, *static_cast<QMouseEvent*>(event));
      default:
        return false;
    }
  }

 private:
  static bool keyPress(QObject* watched, QKeyEvent& e) {
    const int key = e.key();
    const Qt::KeyboardModifiers mods = Plain(e);
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && mods == Qt::NoModifier) {
      auto* button = qobject_cast<QPushButton*>(watched);
      if (!button || !button->isEnabled()) return false;
      button->click();
      return true;
    }
    if (key == Qt::Key_F10 && mods == Qt::NoModifier) {
      auto* widget = qobject_cast<QWidget*>(watched);
      return widget && OpenMenuBar(*widget);
    }
    if ((key == Qt::Key_Home || key == Qt::Key_End) && mods == Qt::ControlModifier && IsReadOnlyText(watched))
      return ScrollToEnd(*static_cast<QAbstractScrollArea*>(watched), key == Qt::Key_End);
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && mods == Qt::NoModifier) {
      QComboBox* combo = EditableComboOf(watched);
      return combo && StepFromText(*combo, key == Qt::Key_Down);
    }
    if (auto* box = qobject_cast<QLineEdit*>(watched); box && e.matches(QKeySequence::Paste)) {
      // A key filter that swallows the control character of Ctrl+V decides
      // for itself; Shift+Insert has none and pastes there too.
      if (IsKeyFiltered(*box) && !e.text().isEmpty()) return false;
      PasteFirstLine(*box, QClipboard::Clipboard);
      return true;
    }
    return false;
  }

  static bool middlePaste(QObject* watched, const QMouseEvent& e) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box || e.button() != Qt::MiddleButton || box->isReadOnly() ||
        !QGuiApplication::clipboard()->supportsSelection())
      return false;
    box->deselect();
    PasteFirstLine(*box, QClipboard::Selection);
    return true;
  }
};

}  // namespace

void InstallKeyboardConventions(QApplication& app) { app.installEventFilter(new Conventions(&app)); }

void MarkKeyFiltered(QLineEdit& box) { box.setProperty(kKeyFiltered, true); }

}  // namespace tongshu
