// A leak in our own code, made in a slot that a button's click reaches
// through Qt's event loop, as the windows' handlers are. Run under
// LeakSanitizer with tests/lsan.supp, it must be reported (ctest expects this
// program to fail): the suppressions name functions inside the libraries, so
// a stack that merely passes through Qt still counts. With --no-leak it does
// the same without leaking and must pass, so the failure is the leak's.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <cstring>
#include <string>

namespace {

struct Reading {
  std::string text;
};

Reading* volatile g_lastReading = nullptr;

// Keeps the reading and then forgets it: nothing points at it afterwards.
[[gnu::noinline]] void RememberReading(const QString& text) {
  g_lastReading = new Reading{text.toStdString()};
  g_lastReading = nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  const bool leak = !(argc > 1 && std::strcmp(argv[1], "--no-leak") == 0);
  QApplication app(argc, argv);
  QPushButton button(QStringLiteral("测算"));
  QObject::connect(&button, &QPushButton::clicked, &button, [&] {
    if (leak) RememberReading(button.text());
    app.quit();
  });
  button.show();
  QTimer::singleShot(0, &button, &QPushButton::click);
  return app.exec();
}
