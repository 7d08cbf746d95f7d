#include "tests/support/Fakes.h"

namespace tongshu::testing {

void RecordingPresenter::showModal(QWidget& w) {
  modal.push_back(&w);
  w.show();
}

void RecordingPresenter::showNonModal(QWidget& w) {
  nonModal.push_back(&w);
  w.show();
}

std::optional<db::Record> FakeDatabase::firstRow(const std::string& conn, const std::string& sql) {
  statements.emplace_back(conn, sql);
  if (failWith) failWith(conn, sql);
  const auto it = rows.find(sql);
  if (it == rows.end()) return std::nullopt;
  return it->second;
}

}  // namespace tongshu::testing
