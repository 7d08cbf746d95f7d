#pragma once
// The platform services a window may touch, handed down from the entry point
// so that tests can give every window fakes instead.
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
};

}  // namespace tongshu
