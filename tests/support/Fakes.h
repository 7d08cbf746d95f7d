#pragma once
// Recording fakes of the platform services and a fixture that provides them.
#include <QPointer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "db/Database.h"
#include "services/Clock.h"
#include "services/LinkLauncher.h"
#include "services/MessageSink.h"
#include "services/Services.h"
#include "services/WindowPresenter.h"

namespace tongshu::testing {

struct RecordingMessageSink final : MessageSink {
  QStringList infos;
  QStringList errors;
  void ShowInfo(const QString& text) override { infos << text; }
  void ShowError(const QString& text) override { errors << text; }
  void clear() {
    infos.clear();
    errors.clear();
  }
};

struct RecordingLinkLauncher final : LinkLauncher {
  QStringList links;
  QStringList browserStarts;
  void openLink(const QString& link) override { links << link; }
  void startBrowser(const QString& address) override { browserStarts << address; }
};

struct FixedClock final : Clock {
  std::chrono::year_month_day date{std::chrono::year{2011}, std::chrono::month{3}, std::chrono::day{5}};
  std::chrono::year_month_day today() const override { return date; }
};

// Shows windows without a modal loop and records what was shown how, in
// guarded pointers: a window that closes itself is freed while listed here.
struct RecordingPresenter final : WindowPresenter {
  std::vector<QPointer<QWidget>> modal;
  std::vector<QPointer<QWidget>> nonModal;
  void showModal(QWidget& w) override;
  void showNonModal(QWidget& w) override;
};

// Answers statements from a table given by the test; records every statement.
struct FakeDatabase final : db::Database {
  std::vector<std::pair<std::string, std::string>> statements;  // connection, sql
  std::map<std::string, db::Record> rows;                     // sql -> first row
  std::function<void(const std::string&, const std::string&)> failWith;
  std::optional<db::Record> firstRow(const std::string& conn, const std::string& sql) override;
};

struct FakeServices {
  RecordingMessageSink messages;
  RecordingLinkLauncher links;
  FixedClock clock;
  RecordingPresenter presenter;
  FakeDatabase database;
  Services services{messages, links, clock, presenter, database};
};

}  // namespace tongshu::testing
