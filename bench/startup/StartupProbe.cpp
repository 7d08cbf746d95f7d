// The application exactly as it starts, which reports on stdout when the main
// window has painted for the first time, with its resident memory, and quits.
#include <QCoreApplication>
#include <QWidget>
#include <cstdio>

#include "app/Startup.h"
#include "bench/startup/ResidentMemory.h"

int main() {
  tongshu::StartupHooks hooks;
  hooks.afterFirstPaint = [](QWidget&) {
    std::printf("painted rss_kib=%ld\n", tongshu::bench::ResidentKiB());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  return tongshu::RunApplication(hooks);
}
