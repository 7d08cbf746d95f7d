// Entry point: title, locale settings, main window, message loop. The program
// reads no command line.
#include <memory>

#include "Application.h"
#include "Clock.h"
#include "ErrorReport.h"
#include "Fonts.h"
#include "LinkLauncher.h"
#include "LocaleFormats.h"
#include "MessageSink.h"
#include "Services.h"
#include "TFrmmain.h"
#include "ToolWiring.h"
#include "WindowPresenter.h"
#include "db/MdbDatabase.h"

int main(int argc, char** argv) {
  tongshu::QtMessageSink messages;
  tongshu::TongshuApplication app(argc, argv, messages);
  tongshu::TongshuApplication::setApplicationName(QStringLiteral("tongshu"));
  tongshu::TongshuApplication::setApplicationDisplayName(tongshu::kAppTitle);
  tongshu::InstallFontSubstitutions();

  {
#ifdef _WIN32
    tongshu::WindowsLocaleStore store;
#else
    tongshu::FileLocaleStore store(tongshu::FileLocaleStore::DefaultPath());
#endif
    tongshu::NormalizeLocaleFormatsGuarded(store);
  }

  tongshu::DesktopLinkLauncher links;
  tongshu::SystemClock clock;
  tongshu::QtWindowPresenter presenter;
  tongshu::db::MdbDatabase database;
  tongshu::Services services{messages, links, clock, presenter, database};

  auto main = std::make_unique<TFrmmain>(services, tongshu::MakeToolWindows());
  Frmmain = main.get();
  main->show();
  tongshu::TongshuApplication::exec();
  main.reset();
  return 0;
}
