// The application exactly as it starts, which reports on stdout when the main
// window has painted for the first time, with its resident memory, and quits.
#include <QCoreApplication>
#include <QWidget>
#include <cstdio>
#include <fstream>
#include <string>

#include "Startup.h"

namespace {

long ResidentKiB() {
  std::ifstream status("/proc/self/status");
  std::string key;
  long value = -1;
  while (status >> key) {
    if (key == "VmRSS:") {
      status >> value;
      break;
    }
    status.ignore(4096, '\n');
  }
  return value;
}

}  // namespace

int main() {
  tongshu::StartupHooks hooks;
  hooks.afterFirstPaint = [](QWidget&) {
    std::printf("painted rss_kib=%ld\n", ResidentKiB());
    std::fflush(stdout);
    QCoreApplication::exit(0);
  };
  return tongshu::RunApplication(hooks);
}
