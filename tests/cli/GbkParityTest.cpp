// The CLI reaches GBK through ICU without Qt; the window through its Qt codec.
// Both must hand the converter the same bytes for every character.
#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "UntWangm.h"
#include "Utf8.h"

namespace {

std::string Utf8Of(char32_t cp) {
  return QString::fromUcs4(&cp, 1).toStdString();
}

TEST(GbkParity, EveryCodePointConvertsAsInTheNetNameWindow) {
  int checked = 0, encodable = 0;
  for (char32_t cp = 1; cp <= 0x10FFFF; ++cp) {
    if (cp >= 0xD800 && cp <= 0xDFFF) continue;
    const std::string cli = tongshu::cli::Utf8ToGbk(Utf8Of(cp));
    const std::string window = tongshu::netname::NetNameToGbk(QString::fromUcs4(&cp, 1));
    ASSERT_EQ(cli, window) << "U+" << std::hex << static_cast<unsigned>(cp);
    ++checked;
    encodable += cli != "\xFF\xFF";
  }
  EXPECT_EQ(checked, 0x10FFFF - 0x800);
  // GBK's 21,886 double-byte characters and 1,894 user-defined positions, plus ASCII.
  EXPECT_GT(encodable, 23000);
}

}  // namespace
