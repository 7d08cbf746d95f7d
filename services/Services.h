#pragma once
// The platform services a window may touch, handed down from the entry point
// so that tests can give every window fakes instead.
#include "services/ConnStr.h"

namespace tongshu {

class MessageSink;
class LinkLauncher;
class Clock;
class WindowPresenter;
namespace db {
class Database;
}

struct Services {
  MessageSink& messages;
  LinkLauncher& links;
  Clock& clock;
  WindowPresenter& presenter;
  db::Database& database;
  // Where the data files lie; the executable's directory unless a test says otherwise.
  const DataDirectory& dataDirectory = ExecutableDataDirectory();
};

}  // namespace tongshu
