#pragma once
// The process's resident memory now, from /proc/self/status.
#include <fstream>
#include <string>

namespace tongshu::bench {

inline long ResidentKiB() {
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

}  // namespace tongshu::bench
