// The link launcher's owner and the data directory, as the windows use them.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "almanac/TFormHuangdao.h"
#include "numerology/TFrm_SJcs.h"
#include "services/ConnStr.h"
#include "services/LinkLauncher.h"
#include "shell/TFrmmain.h"
#include "tests/support/Fakes.h"

using namespace tongshu;
using tongshu::testing::FakeServices;

namespace {

struct ShellCall {
  NativeWindow owner;
  std::string what;  // "link" or "browser"
  std::string text;
  bool operator==(const ShellCall&) const = default;
};

struct RecordingShell final : ShellLinks {
  std::vector<ShellCall> calls;
  void openLink(NativeWindow owner, std::string_view link) override { calls.push_back({owner, "link", std::string(link)}); }
  void startBrowser(NativeWindow owner, std::string_view address) override {
    calls.push_back({owner, "browser", std::string(address)});
  }
};

TEST(DesktopLinkLauncher, HandsLinksToTheShellOwnedByTheMainWindow) {
  RecordingShell shell;
  DesktopLinkLauncher launcher(shell);
  launcher.openLink(QStringLiteral("mailto:a@example.com"));  // before start-up has named the owner

  auto window = std::make_unique<QWidget>();
  window->show();
  launcher.setOwner(window.get());
  const auto handle = static_cast<NativeWindow>(window->winId());
  ASSERT_NE(handle, 0u);
  launcher.openLink(QStringLiteral("mailto:客服@example.com"));
  launcher.startBrowser(QStringLiteral("https://www.example.com/"));
  window.reset();
  launcher.startBrowser(QStringLiteral("https://www.example.com/"));  // the owner is gone

  const std::vector<ShellCall> expected{{0, "link", "mailto:a@example.com"},
                                        {handle, "link", "mailto:客服@example.com"},
                                        {handle, "browser", "https://www.example.com/"},
                                        {0, "browser", "https://www.example.com/"}};
  EXPECT_EQ(shell.calls, expected);
}

struct LostDirectory final : DataDirectory {
  std::string path() const override { throw DataDirectoryError("找不到程序所在的文件夹（测试）"); }
};

// The windows' own failure behaviour, with nothing looked up at the root.
class LostDataDirectory : public ::testing::Test {
 protected:
  FakeServices fake;
  LostDirectory lost;
  Services services{fake.messages, fake.links, fake.clock, fake.presenter, fake.database, lost};
};

TEST_F(LostDataDirectory, TheAlmanacReportsItAtTheLookup) {
  OpenFormHuangdao(services, nullptr);
  const std::unique_ptr<TFormHuangdao> w(FormHuangdao.data());
  ASSERT_TRUE(w);
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  for (auto [box, text] : {std::pair{w->SYear, "2011"}, {w->SMonth, "3"}, {w->Sday, "5"}}) {
    box->lineEdit()->clear();
    QTest::keyClicks(box->lineEdit(), QString::fromLatin1(text));
  }
  QTest::mouseClick(w->RzBitBtn1, Qt::LeftButton);
  EXPECT_EQ(fake.messages.errors, QStringList{QStringLiteral("找不到程序所在的文件夹（测试）")});
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.database.statements.empty());
  EXPECT_TRUE(w->isVisible());
}

TEST_F(LostDataDirectory, TheMobileWindowStaysSilent) {
  OpenFrm_SJcs(services, nullptr);
  const std::unique_ptr<TFrm_SJcs> w(Frm_SJcs.data());
  ASSERT_TRUE(w);
  QTest::keyClicks(w->edtmun, QStringLiteral("13912345678"));
  QTest::keyClick(w->edtmun, Qt::Key_Return);
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_TRUE(fake.messages.infos.isEmpty());
  EXPECT_TRUE(fake.database.statements.empty());
  EXPECT_TRUE(w->RzLabel10->text().isEmpty());
}

TEST_F(LostDataDirectory, TheMainWindowShowsWithoutAReport) {
  TFrmmain window(services, {});
  window.show();
  EXPECT_TRUE(fake.messages.errors.isEmpty());
  EXPECT_TRUE(window.ADOQname().connectionString().empty());
  EXPECT_TRUE(window.ADOteam().connectionString().empty());
}

}  // namespace
