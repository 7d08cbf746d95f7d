#include "app/Startup.h"

#include <QEvent>
#include <QLibraryInfo>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "app/Application.h"
#include "app/FontWarmUp.h"
#include "app/MainWindowFace.h"
#include "app/ToolWiring.h"
#include "db/MdbDatabase.h"
#include "services/ApplicationStyle.h"
#include "services/Clock.h"
#include "services/Fonts.h"
#include "services/KeyboardConventions.h"
#include "services/LinkLauncher.h"
#include "services/LocaleFormats.h"
#include "services/MessageSink.h"
#include "services/Services.h"
#include "services/WindowPresenter.h"
#include "shell/TFrmmain.h"

namespace tongshu {
namespace {

class FirstPaintWatch final : public QObject {
 public:
  FirstPaintWatch(QWidget& window, std::function<void(QWidget&)> callback)
      : window_(window), callback_(std::move(callback)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_ && event->type() == QEvent::Paint && callback_) {
      auto callback = std::move(callback_);
      callback_ = nullptr;
      // After this paint has reached the backing store.
      QTimer::singleShot(0, &window_, [this, callback] { callback(window_); });
    }
    return false;
  }

 private:
  QWidget& window_;
  std::function<void(QWidget&)> callback_;
};

}  // namespace

bool InstallQtTranslations(QCoreApplication& app, const QString& directory) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_zh_CN"), directory)) {
    delete translator;
    return false;
  }
  return QCoreApplication::installTranslator(translator);
}

QString QtTranslationsDirectory() {
#ifdef _WIN32
  return QStringLiteral(":/translations");
#else
  return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

int RunApplication(const StartupHooks& hooks) {
  int argc = 1;
  char program[] = "tongshu";
  char* argv[] = {program, nullptr};
  FontWarmUp fonts;
  QtMessageSink messages;
  TongshuApplication app(argc, argv, messages);
  // The warm-up thread uses Qt's font database, which goes with the
  // application object: it has ended before that does.
  const std::unique_ptr<FontWarmUp, void (*)(FontWarmUp*)> joinFontsFirst(&fonts, [](FontWarmUp* f) { f->join(); });
  // No display name: Qt would append it to the caption of every other window.
  TongshuApplication::setApplicationName(QStringLiteral("tongshu"));
  TongshuApplication::setDesktopFileName(QStringLiteral("com.example.tongshu"));
  InstallFontSubstitutions();
  RegisterMainWindowFace();
  fonts.proceed();
  InstallQtTranslations(app, QtTranslationsDirectory());
  TongshuApplication::setStyle(new ApplicationStyle);
  InstallKeyboardConventions(app);

  {
#ifdef _WIN32
    WindowsLocaleStore store;
#else
    FileLocaleStore store(FileLocaleStore::DefaultPath());
#endif
    NormalizeLocaleFormatsGuarded(store);
  }

  DesktopLinkLauncher links;
  SystemClock clock;
  QtWindowPresenter presenter;
  db::MdbDatabase database;
  Services services{messages, links, clock, presenter, database};

  auto window = std::make_unique<TFrmmain>(services, MakeToolWindows());
  Frmmain = window.get();
  links.setOwner(window.get());
  std::unique_ptr<FirstPaintWatch> watch;
  if (hooks.afterFirstPaint) {
    watch = std::make_unique<FirstPaintWatch>(*window, hooks.afterFirstPaint);
    window->installEventFilter(watch.get());
  }
  window->show();
  TongshuApplication::exec();
  window.reset();
  return 0;
}

}  // namespace tongshu
